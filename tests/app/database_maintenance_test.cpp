#include <optional>

#include <QFile>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

#include "app_test_support.h"
#include "application.h"
#include "main_window.h"
#include "run/run_registry.h"
#include "run_reports.h"
#include "search_company_window.h"
#include "store/database.h"
#include "store/settings.h"
#include "store/task_store.h"

namespace corpgather {

class DatabaseMaintenanceTest final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;
    std::unique_ptr<test::SimMarket> market_;
    std::unique_ptr<RunReports> reports_;
    std::unique_ptr<RunRegistry> runs_;
    std::unique_ptr<TfrmMain> window_;

    QWidget* searchWindow() {
        const auto frames = window_->mdiArea().subWindowList();
        return frames.size() == 1 ? frames[0]->widget() : nullptr;
    }

    // Member ids of the stored companies, in the order they were stored.
    static QStringList storedMembers() {
        QStringList members;
        Query query;
        if (OpenSQL(query, "SELECT \"会员帐号\" FROM Company ORDER BY ID")) {
            for (; !query.eof(); query.next())
                members << QString::fromStdString(query.text(0));
        }
        return members;
    }

    // A run that stores every record on its own and keeps going for a good while.
    int startStoringRun() {
        const int id = market_->addTask(200);
        runs_->start(id);
        return id;
    }

private slots:
    void init() {
        home_ = std::make_unique<test::TestHome>();
        market_ = std::make_unique<test::SimMarket>(
            QStringList{"--pages", "200", "--per-page", "10", "--latency-ms", "1"});
        QVERIFY(market_->started());
        QVERIFY(WriteOptions({{"SaveNum", 1}, {"IntervalData", 100000}}));
        QVERIFY(OpenDatabase());
        reports_ = std::make_unique<RunReports>();
        runs_ = std::make_unique<RunRegistry>(*reports_, reports_.get());
        window_ = std::make_unique<TfrmMain>(*runs_);
        window_->openSearchWindow();
        window_->show();
    }

    void cleanup() {
        window_.reset();
        runs_.reset();
        reports_.reset();
        market_.reset();
        home_.reset();
    }

    void cancelledClearChangesNothing() {
        const int id = market_->addTask(1);
        QVERIFY(CommitCompanyBatch(id, {CompanyRecord{id, {"m1"}}, CompanyRecord{id, {"m2"}}}));
        QPointer<QWidget> before = searchWindow();

        QList<test::SeenBox> seen;
        test::AnswerBoxes({QMessageBox::Cancel}, &seen);
        window_->findChild<QAction*>("N12")->trigger();
        QCOMPARE(seen[0].text, QStringLiteral("数据库清空，会删除所有数据！是否继续？"));
        QCOMPARE(seen[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(test::CountRows("SearchTask"), 1);
        QCOMPARE(test::CountRows("Company"), 2);
        QCOMPARE(searchWindow(), before.data());
    }

    void clearWhileARunIsStoringLeavesBothTablesEmpty() {
        // Batches of 25: when the clear comes, the run holds records it has not sent yet, and
        // its stop sends them. Stopping before emptying lets that last batch in, to be
        // emptied with the rest; emptying first would make the run fail on a vanished task.
        QVERIFY(WriteOptions({{"SaveNum", 25}}));
        QPointer<QWidget> before = searchWindow();
        QList<test::SeenBox> seen;
        std::optional<RunOutcome> outcome;
        int stored = 0;
        connect(reports_.get(), &RunReports::ended, this,
                [&](int, RunOutcome ended) { outcome = ended; });
        connect(reports_.get(), &RunReports::stored, this, [&] {
            // The run waits for this report, so it holds 4 unsent records now.
            if (++stored != 30)
                return;
            test::AnswerBoxes({QMessageBox::Ok, QMessageBox::Ok}, &seen);
            window_->findChild<QAction*>("N12")->trigger();
        });
        startStoringRun();
        QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 30000);

        QCOMPARE(*outcome, RunOutcome::Stopped);
        QCOMPARE(runs_->aliveCount(), 0);
        QCOMPARE(test::CountRows("SearchTask"), 0);
        QCOMPARE(test::CountRows("Company"), 0);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[1].text,
                 QStringLiteral("数据库清空成功，软件运行速度会加快！请刷新任务列表。！"));
        QCOMPARE(seen[1].caption, QStringLiteral("提示"));
        QVERIFY(before.isNull());
        QVERIFY(qobject_cast<TfrmSearchCompany*>(searchWindow()));
    }

    void compactionKeepsEverythingAndTheRunsGoOn() {
        const int running = startStoringRun();
        const int paused = market_->addTask(200);
        runs_->start(paused);
        runs_->pause(paused);
        QTRY_VERIFY_WITH_TIMEOUT(test::CountRows("Company") >= 5, 30000);
        home_->writeFile("SearchCom.mdb.tmp", "left behind");
        const QStringList before = storedMembers();

        QList<test::SeenBox> seen;
        test::AnswerBoxes({QMessageBox::Ok}, &seen);
        window_->findChild<QAction*>("N13")->trigger();
        QCOMPARE(seen[0].text, QStringLiteral("数据压缩成功！"));
        QCOMPARE(seen[0].icon, QMessageBox::Information);
        QVERIFY(!QFile::exists(home_->file("SearchCom.mdb.tmp")));

        QVERIFY(storedMembers().mid(0, before.size()) == before);
        QVERIFY(runs_->isAlive(running) && !runs_->isPaused(running));
        QVERIFY(runs_->isPaused(paused));
        QTRY_VERIFY_WITH_TIMEOUT(test::CountRows("Company") > before.size() + 5, 30000);
        QVERIFY(!home_->readFile("SearchCom.mdb").startsWith("SQLite format 3"));
    }

    void failedCompactionShowsTheErrorBox() {
        CloseDatabase();
        const QByteArray garbage(8192, 'Z');
        home_->writeFile("SearchCom.mdb", garbage);

        QList<test::SeenBox> seen;
        test::AnswerBoxes({QMessageBox::Ok}, &seen);
        window_->findChild<QAction*>("N13")->trigger();
        QCOMPARE(seen[0].icon, QMessageBox::Critical);
        QCOMPARE(seen[0].caption, QStringLiteral("拓铭企业名录搜索软件(阿里免费)"));
        QVERIFY(!seen[0].text.isEmpty());
        QCOMPARE(home_->readFile("SearchCom.mdb"), garbage);
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::DatabaseMaintenanceTest)
#include "database_maintenance_test.moc"
