#pragma once

namespace krx {

// The numbered messages between the program's windows. A message a window posts to itself
// runs its step after the current event has finished.
enum WindowMessage : int {
    CM_PORT_POLL = 1230,
    CM_CREATE_CHANNELS = 1274,
    CM_LIST_READ = 1275,
    CM_SELECT_CHANNEL = 1276,
    CM_SETUP_DONE = 1281,
    CM_SEARCH_FORWARD = 1285,
    CM_REFRESH_LIST_STATUS = 1286,
    CM_RERUN_AUTOMATION = 1287,
    CM_FETCH_RUN_ENDED = 1288,
    CM_START_SETUP = 1289,
    CM_LOAD_LISTS = 1290,
};

} // namespace krx
