#include "about_dialog.h"

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include "app_test_support.h"
#include "application.h"

namespace corpgather {

class AboutDialogTest final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;

private slots:
    void init() { home_ = std::make_unique<test::TestHome>(); }
    void cleanup() { home_.reset(); }

    void showsNameVersionAndDate() {
        TfrmAbout dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("关于我们"));
        QCOMPARE(dialog.size(), QSize(320, 213));
        QCOMPARE(dialog.findChild<QLabel*>("lblVersionNumber")->text(), QStringLiteral("1.0.0.6"));
        QCOMPARE(dialog.findChild<QLabel*>("lblVersionDate")->text(),
                 QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
        const QFont name = dialog.findChild<QLabel*>("lblName")->font();
        QVERIFY(name.bold());
        QCOMPARE(name.pixelSize(), 19);
    }

    void pictureOfTheProgramFolder_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("shown");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("not a picture") << QByteArray("no JPEG here") << false;
        QFile shipped(test::BinDir() + "/login.jpg");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QTest::newRow("picture") << shipped.readAll() << true;
    }

    void pictureOfTheProgramFolder() {
        QFETCH(QByteArray, content);
        QFETCH(bool, shown);
        if (!content.isEmpty())
            home_->writeFile("login.jpg", content);
        TfrmAbout dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* picture = dialog.findChild<QLabel*>("imgLoginImage");
        QCOMPARE(!picture->pixmap().isNull(), shown);
        QCOMPARE(picture->geometry(), QRect(0, 0, 320, 49));
        QVERIFY(!QApplication::activeModalWidget());
    }

    void answersTrueOnlyForOk_data() {
        QTest::addColumn<bool>("pressOk");
        QTest::newRow("确定") << true;
        QTest::newRow("close box") << false;
    }

    void answersTrueOnlyForOk() {
        QFETCH(bool, pressOk);
        test::OnModal([](QWidget* w) { return w->objectName() == "frmAbout"; },
                      [=](QWidget* w) {
                          if (pressOk)
                              w->findChild<QPushButton*>("bbOK")->click();
                          else
                              w->close();
                      });
        QCOMPARE(OpenAboutDialog(nullptr), pressOk);
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::AboutDialogTest)
#include "about_dialog_test.moc"
