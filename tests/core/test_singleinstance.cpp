#include "TempProgramDir.h"
#include "core/SingleInstance.h"

#include <QSignalSpy>
#include <QtTest>

using krx::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void secondStartOfTheSameFolderAsksTheFirstToComeForward() {
        krx::test::TempProgramDir home;
        SingleInstance first(home.path());
        QVERIFY(first.claim());
        QSignalSpy activation(&first, &SingleInstance::activationRequested);
        SingleInstance second(home.path());
        QVERIFY(!second.claim());
        QTRY_COMPARE_WITH_TIMEOUT(activation.count(), 1, 5000);
    }

    void copiesWithOtherFoldersRunSideBySide() {
        krx::test::TempProgramDir one, other;
        SingleInstance first(one.path());
        SingleInstance second(other.path());
        QVERIFY(first.claim());
        QVERIFY(second.claim());
    }

    void aFolderLeftBehindByAnEndedCopyCanBeClaimedAgain() {
        krx::test::TempProgramDir home;
        {
            SingleInstance ended(home.path());
            QVERIFY(ended.claim());
        }
        SingleInstance next(home.path());
        QVERIFY(next.claim());
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "test_singleinstance.moc"
