#include "app/SingleInstance.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent/QtConcurrent>

using namespace mirevo;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceForwardsToTheFirst()
    {
        QTemporaryDir dir;
        SingleInstance first("test.app", dir.path());
        QVERIFY(!first.forwardToRunningInstance()); // nobody there yet
        int requests = 0;
        QVERIFY(first.listen([&] { ++requests; }));

        // The second instance runs its blocking request beside the first one's event loop.
        SingleInstance second("test.app", dir.path());
        QFuture<bool> forwarded =
            QtConcurrent::run([&] { return second.forwardToRunningInstance(); });
        QTRY_VERIFY(forwarded.isFinished());
        QVERIFY(forwarded.result());
        QCOMPARE(requests, 1);
    }

    void staleSocketFileIsReplaced()
    {
        QTemporaryDir dir;
        SingleInstance crashed("test.app", dir.path());
        QFile stale(crashed.socketPath());
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QVERIFY(!crashed.forwardToRunningInstance());
        SingleInstance next("test.app", dir.path());
        QVERIFY(next.listen({}));
    }
};

MIREVO_TEST_CLASS(SingleInstanceTest)
#include "tst_SingleInstance.moc"
