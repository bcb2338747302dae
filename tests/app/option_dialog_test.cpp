#include "option_dialog.h"

#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app_test_support.h"
#include "application.h"

namespace corpgather {

class OptionDialogTest final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;

    QMap<QString, QString> optionKeys() const {
        QMap<QString, QString> keys;
        QSettings file(home_->file("CorpGather.ini"), QSettings::IniFormat);
        file.beginGroup("Option");
        for (const QString& key : file.childKeys())
            keys[key] = file.value(key).toString();
        return keys;
    }

    // Opens the dialog as the menu does, runs `work` in it, and returns what it answered.
    bool withDialog(const std::function<void(QDialog*)>& work) {
        bool expired = false;
        test::OnModal([](QWidget* w) { return w->objectName() == "frmOption"; },
                      [&](QWidget* w) { work(static_cast<QDialog*>(w)); }, &expired);
        const bool saved = ShowOptionDialog(nullptr);
        if (expired)
            qWarning("the options dialog was left open");
        return saved;
    }

    // Presses "确定" and answers the confirmation; the confirmation's text, if any.
    static QString saveAndConfirm(QDialog* dialog) {
        test::SeenBox seen;
        test::AnswerNextBox(QMessageBox::Ok, &seen);
        QTest::mouseClick(dialog->findChild<QPushButton*>("bbYes"), Qt::LeftButton);
        return seen.text;
    }

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }
    void cleanup() { home_.reset(); }

    void fieldsHaveTheirRangesAndSteps_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("shown");
        QTest::newRow("TimeOut") << "seTimeOut" << 30 << 180 << 1 << 60;
        QTest::newRow("TryNum") << "seTryNum" << 1 << 10 << 1 << 3;
        QTest::newRow("Display") << "seDisplay" << 500 << 50000 << 1 << 500;
        QTest::newRow("RunTaskNum") << "seRunTaskNum" << 1 << 5 << 1 << 3;
        QTest::newRow("SaveNum") << "seSaveNum" << 10 << 50 << 5 << 25;
        QTest::newRow("IntervalData") << "seIntervalData" << 1 << 10000 << 1 << 500;
        QTest::newRow("IntervalTime") << "seIntervalTime" << 0 << 255 << 1 << 60;
    }

    void fieldsHaveTheirRangesAndSteps() {
        QFETCH(QString, field);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, step);
        QFETCH(int, shown);
        TfrmOption dialog;
        dialog.LoadSettings();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("系统选项设置"));
        QCOMPARE(dialog.size(), QSize(400, 385));
        auto* spin = dialog.findChild<QSpinBox*>(field);
        QVERIFY(spin);
        QCOMPARE(spin->minimum(), minimum);
        QCOMPARE(spin->maximum(), maximum);
        QCOMPARE(spin->value(), shown);
        spin->stepUp();
        QCOMPARE(spin->value(), qMin(shown + step, maximum));
    }

    void valuesOfTheFileAreShownWithinRangeAndSaved_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("shown");
        QTest::newRow("below range") << QByteArray("TimeOut=5") << "seTimeOut" << 30;
        QTest::newRow("above range") << QByteArray("TimeOut=999") << "seTimeOut" << 180;
        QTest::newRow("page size below") << QByteArray("Display=100") << "seDisplay" << 500;
        QTest::newRow("batch off the steps") << QByteArray("SaveNum=23") << "seSaveNum" << 23;
        QTest::newRow("pause above") << QByteArray("IntervalTime=300") << "seIntervalTime" << 255;
        QTest::newRow("hexadecimal") << QByteArray("TryNum=0x7") << "seTryNum" << 7;
        QTest::newRow("no number") << QByteArray("TryNum=abc") << "seTryNum" << 3;
    }

    void valuesOfTheFileAreShownWithinRangeAndSaved() {
        QFETCH(QByteArray, line);
        QFETCH(QString, field);
        QFETCH(int, shown);
        home_->writeFile("CorpGather.ini", "[Option]\n" + line + "\n");
        int seen = -1;
        QString confirmation;
        QVERIFY(withDialog([&](QDialog* dialog) {
            seen = dialog->findChild<QSpinBox*>(field)->value();
            confirmation = saveAndConfirm(dialog);
        }));
        QCOMPARE(seen, shown);
        QCOMPARE(confirmation, QStringLiteral("设置成功！"));
        const auto keys = optionKeys();
        QCOMPARE(keys.size(), 8);
        QCOMPARE(keys.value(line.left(line.indexOf('='))), QString::number(shown));
    }

    void listScopeIsLoadedAndSaved_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("chooseSingle");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("saved");
        QTest::newRow("0") << QByteArray("ComListDisplay=0") << false << "rb1"
                           << "0";
        QTest::newRow("1") << QByteArray("ComListDisplay=1") << false << "rb2"
                           << "1";
        QTest::newRow("2 is shown as all") << QByteArray("ComListDisplay=2") << false << "rb1"
                                           << "0";
        QTest::newRow("single chosen") << QByteArray("ComListDisplay=0") << true << "rb1"
                                       << "1";
    }

    void listScopeIsLoadedAndSaved() {
        QFETCH(QByteArray, file);
        QFETCH(bool, chooseSingle);
        QFETCH(QString, checked);
        QFETCH(QString, saved);
        home_->writeFile("CorpGather.ini", "[Option]\n" + file + "\n");
        QString seenChecked;
        int tab = -1;
        QVERIFY(withDialog([&](QDialog* dialog) {
            tab = dialog->findChild<QTabWidget*>()->currentIndex();
            for (const char* name : {"rb1", "rb2"})
                if (dialog->findChild<QRadioButton*>(name)->isChecked())
                    seenChecked += name;
            if (chooseSingle)
                dialog->findChild<QRadioButton*>("rb2")->click();
            saveAndConfirm(dialog);
        }));
        QCOMPARE(tab, 0);
        QCOMPARE(seenChecked, checked);
        QCOMPARE(optionKeys().value("ComListDisplay"), saved);
    }

    void typedTextIsBroughtIntoRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("above") << "999"
                               << "180";
        QTest::newRow("below") << "7"
                               << "30";
        QTest::newRow("inside") << "45"
                                << "45";
    }

    void typedTextIsBroughtIntoRange() {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QVERIFY(withDialog([&](QDialog* dialog) {
            auto* spin = dialog->findChild<QSpinBox*>("seTimeOut");
            spin->setFocus();
            spin->selectAll();
            QTest::keyClicks(spin, typed);
            saveAndConfirm(dialog);
        }));
        QCOMPARE(optionKeys().value("TimeOut"), saved);
    }

    void savingKeepsEveryOtherSectionAndKey() {
        home_->writeFile("CorpGather.ini",
                         "[Hosts]\nMarket=127.0.0.1:8080\n\n[Option]\nTimeOut=90\nOwnKey=abc\n\n"
                         "[Update]\nInfoUrl=http://127.0.0.1:9/search/Upgrader/Upgrader.inf\n");
        QVERIFY(withDialog([&](QDialog* dialog) { saveAndConfirm(dialog); }));
        QSettings file(home_->file("CorpGather.ini"), QSettings::IniFormat);
        QCOMPARE(file.value("Hosts/Market").toString(), QStringLiteral("127.0.0.1:8080"));
        QCOMPARE(file.value("Option/OwnKey").toString(), QStringLiteral("abc"));
        QCOMPARE(file.value("Option/TimeOut").toString(), QStringLiteral("90"));
        QCOMPARE(file.value("Update/InfoUrl").toString(),
                 QStringLiteral("http://127.0.0.1:9/search/Upgrader/Upgrader.inf"));
    }

    void cancellingWritesNothing_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("取消") << false;
        QTest::newRow("close box") << true;
    }

    void cancellingWritesNothing() {
        QFETCH(bool, closeBox);
        const QByteArray content = "; own comment\r\n[Option]\r\nTimeOut = 5\r\n[Hosts]\r\nX=1\r\n";
        home_->writeFile("CorpGather.ini", content);
        QVERIFY(!withDialog([&](QDialog* dialog) {
            dialog->findChild<QSpinBox*>("seTryNum")->setValue(9);
            dialog->findChild<QRadioButton*>("rb2")->click();
            if (closeBox)
                dialog->close();
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>("bbNo"), Qt::LeftButton);
        }));
        QCOMPARE(home_->readFile("CorpGather.ini"), content);
    }

    void aFileThatCannotBeWrittenShowsTheErrorAndKeepsTheDialog() {
        // A folder in the file's place cannot be replaced, even by root.
        QVERIFY(QDir(home_->path()).mkdir("CorpGather.ini"));
        test::SeenBox error;
        bool stillOpen = false;
        QVERIFY(!withDialog([&](QDialog* dialog) {
            test::AnswerNextBox(QMessageBox::Ok, &error);
            QTest::mouseClick(dialog->findChild<QPushButton*>("bbYes"), Qt::LeftButton);
            stillOpen = dialog->isVisible();
            dialog->reject();
        }));
        QVERIFY(stillOpen);
        QCOMPARE(error.icon, QMessageBox::Critical);
        QCOMPARE(error.caption, QStringLiteral("拓铭企业名录搜索软件(阿里免费)"));
        QVERIFY2(error.text.startsWith("Unable to write to " + home_->file("CorpGather.ini")),
                 qPrintable(error.text));
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::OptionDialogTest)
#include "option_dialog_test.moc"
