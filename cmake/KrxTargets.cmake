# Shared compile options and helpers for every target of the project.

add_library(krx_warnings INTERFACE)
target_compile_options(krx_warnings INTERFACE -Wall -Wextra -Wpedantic)

# Product code keeps bytes and text apart: no silent conversion between char* and QString.
add_library(krx_strict_strings INTERFACE)
target_compile_definitions(krx_strict_strings INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

# krx_engine_library(name SOURCES ... LIBS ...): a library that must never link QtWidgets.
function(krx_engine_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC Qt6::Core ${ARG_LIBS} PRIVATE krx_warnings krx_strict_strings)
endfunction()

# krx_add_test(name SOURCES ... LIBS ... [GUI]): a QtTest executable registered with CTest.
# GUI tests run on the offscreen platform so they need no display.
function(krx_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test krx_test_support ${ARG_LIBS} krx_warnings)
    add_test(NAME ${name} COMMAND ${name})
    set(env "KRX_SHARED_DIR=${KRX_SHARED_DIR}")
    if(ARG_GUI)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120)
endfunction()

# The protocol and format facts shared beside the project checkout.
set(KRX_SHARED_DIR "${PROJECT_SOURCE_DIR}/../shared" CACHE PATH "Folder with the shared protocol facts")
