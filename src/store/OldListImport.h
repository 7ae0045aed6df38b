#pragma once

#include "core/OemConversion.h"
#include "core/ProgramDirectory.h"

#include <QByteArray>
#include <QString>

namespace krx {

class StoreReporter;

// Takes over the lists of the older terminal program (194-byte records with a 32-bit time
// stamp) for the setup wizard, after it has copied that program's read.ini and list of lists
// into the program directory.
class OldListImport {
public:
    OldListImport(const ProgramDirectory &directory, const OemConversion &oem,
                  const StoreReporter &reporter);

    // Converts every list of epurt.ini found in `sourceDirectory`, with its fetched messages
    // and number file. A list whose file name contains the own call is the personal list: its
    // headers get local numbers from 100 on. False when a file could not be written.
    bool ImportOldLists(const QString &sourceDirectory, const QByteArray &ownCall);

private:
    bool importList(const ProgramDirectory &source, const QByteArray &fileName, bool personal);
    void copyMessage(const ProgramDirectory &source, const QByteArray &base, qint32 oldNumber,
                     qint32 newNumber);
    bool importNumberFile(const ProgramDirectory &source, const QByteArray &base, bool personal,
                          qint32 lastLocal);

    const ProgramDirectory &directory_;
    const OemConversion &oem_;
    const StoreReporter &reporter_;
};

} // namespace krx
