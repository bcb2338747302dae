#include "export_excel_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app_test_support.h"
#include "application.h"
#include "store/database.h"
#include "store/task_store.h"

namespace corpgather {

namespace {

constexpr int kTask = 3;

// A written workbook as Python's zipfile and xml.etree read it (tests/core/export/read_xlsx.py).
QJsonObject readWorkbook(const QString& path) {
    const QString script =
        QFileInfo(QStringLiteral(__FILE__)).dir().filePath("../core/export/read_xlsx.py");
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {script, path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QJsonArray rowCells(const QJsonObject& book, int row) {
    return book["rows"].toArray().at(row).toObject()["cells"].toArray();
}

QStringList rowTexts(const QJsonObject& book, int row) {
    QStringList texts;
    for (const QJsonValue& cell : rowCells(book, row))
        texts << cell.toObject()["value"].toString();
    return texts;
}

// Answers the save dialog with `path` once it shows.
void AnswerSaveDialog(const QString& path) {
    test::OnModal([](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
                  [path](QWidget* w) {
                      auto* dialog = static_cast<QFileDialog*>(w);
                      dialog->selectFile(path);
                      static_cast<QDialog*>(dialog)->accept();
                  });
}

}  // namespace

class ExportExcelDialogTest final : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestHome> home_;

    void addRecords(int count) {
        std::vector<CompanyRecord> rows(count);
        for (int i = 0; i < count; ++i) {
            rows[i][CompanyColumn::MemberId] = "m" + std::to_string(100000 + i);
            rows[i][CompanyColumn::CompanyName] = "公司" + std::to_string(i);
            rows[i][CompanyColumn::MemberType] = "诚信通";
        }
        QVERIFY(CommitCompanyBatch(kTask, rows));
    }

    static void tickOnly(QDialog* dialog, const QStringList& names) {
        for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
            box->setChecked(names.contains(box->objectName()));
    }

    static void clickExport(QDialog* dialog) {
        dialog->findChild<QPushButton*>("bbExportToExcel")->click();
    }

    // Opens the dialog as the task list does and runs `work` in it; false when it never showed.
    static bool withDialog(const std::function<void(QDialog*)>& work) {
        bool expired = false;
        test::OnModal([](QWidget* w) { return w->objectName() == "frmExportExcel"; },
                      [&](QWidget* w) {
                          work(static_cast<QDialog*>(w));
                          static_cast<QDialog*>(w)->reject();
                      },
                      &expired);
        ExportTaskToExcel(kTask);
        return !expired;
    }

private slots:
    void init() {
        home_ = std::make_unique<test::TestHome>();
        QVERIFY(AddTask({std::to_string(kTask), "0", "2alibaba.cfg", "阿里巴巴",
                         "http://s/?beginPage=1", "0", "0", "", "", "模具"}));
    }
    void cleanup() { home_.reset(); }

    void checkBoxesHaveTheirCaptionsPlacesAndDefaults_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("first") << "chkComZH"
                               << "会员帐号" << true << QPoint(12, 16);
        QTest::newRow("row 1, column 4") << "chkCall"
                                         << "称呼" << true << QPoint(339, 16);
        QTest::newRow("address") << "chkAddress"
                                 << "地址" << true << QPoint(12, 74);
        QTest::newRow("OEM") << "chksOEM"
                             << "是否提供OEM" << true << QPoint(339, 161);
        QTest::newRow("last ticked") << "chkRegInfo"
                                     << "注册信息" << true << QPoint(230, 190);
        QTest::newRow("first unticked") << "chkSourceSiteName"
                                        << "搜索来源" << false << QPoint(339, 190);
        QTest::newRow("QQ") << "chkQq"
                            << "QQ" << false << QPoint(121, 219);
        QTest::newRow("last") << "chkComZHType"
                              << "会员类型" << false << QPoint(339, 248);
    }

    void checkBoxesHaveTheirCaptionsPlacesAndDefaults() {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(bool, ticked);
        QFETCH(QPoint, place);
        TfrmExportExcel dialog;
        QCOMPARE(dialog.findChildren<QCheckBox*>().size(), 36);
        auto* box = dialog.findChild<QCheckBox*>(control);
        QVERIFY(box);
        QCOMPARE(box->text(), caption);
        QCOMPARE(box->isChecked(), ticked);
        QCOMPARE(box->pos(), place);
        QCOMPARE(box->width(), 97);
    }

    void tabOrderRunsRowByRowThenToTheButtons() {
        TfrmExportExcel dialog;
        QList<QWidget*> boxes;
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
            boxes << box;
        std::sort(boxes.begin(), boxes.end(), [](QWidget* a, QWidget* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        QWidget* widget = boxes.first();
        for (QWidget* expected : boxes) {
            QCOMPARE(widget, expected);
            widget = widget->nextInFocusChain();
        }
        QCOMPARE(widget->objectName(), QStringLiteral("cbbInfoNum"));
        QCOMPARE(widget->nextInFocusChain()->objectName(), QStringLiteral("cbbExportStyle"));
    }

    void windowAndPickListsHaveTheirEntriesAndDefaults() {
        TfrmExportExcel dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("导出数据"));
        QCOMPARE(dialog.size(), QSize(452, 347));
        auto* infoNum = dialog.findChild<QComboBox*>("cbbInfoNum");
        auto* style = dialog.findChild<QComboBox*>("cbbExportStyle");
        QVERIFY(infoNum && style);
        QVERIFY(!infoNum->isEditable() && !style->isEditable());
        QCOMPARE(infoNum->count(), 18);
        QCOMPARE(infoNum->currentText(), QStringLiteral("不限"));
        QCOMPARE(infoNum->itemText(17), QStringLiteral("60000"));
        QCOMPARE(style->count(), 12);
        QCOMPARE(style->currentText(), QStringLiteral("样式8(esNormal)"));
        QCOMPARE(style->itemText(0), QStringLiteral("样式1(esBrick)[速度慢]"));
        const auto* exportButton = dialog.findChild<QPushButton*>("bbExportToExcel");
        const auto* cancelButton = dialog.findChild<QPushButton*>("bbCancel");
        QCOMPARE(exportButton->text(), QStringLiteral("导出"));
        QCOMPARE(exportButton->geometry(), QRect(278, 309, 75, 25));
        QCOMPARE(cancelButton->text(), QStringLiteral("取消"));
        QCOMPARE(cancelButton->geometry(), QRect(361, 309, 75, 25));
    }

    void noTickedFieldAsksForOne() {
        test::SeenBox seen;
        QVERIFY(withDialog([&](QDialog* dialog) {
            tickOnly(dialog, {});
            test::AnswerNextBox(QMessageBox::Ok, &seen);
            clickExport(dialog);
        }));
        QVERIFY(seen.seen);
        QCOMPARE(seen.text, QStringLiteral("请选择导出字段！"));
        QCOMPARE(seen.caption, QStringLiteral("提示"));
    }

    void exportsTheChoicesStaysOpenAndReopensWithTheDefaults() {
        addRecords(501);
        const QString list = home_->file("list");
        const QString single = home_->file("single.xlsx");
        bool stayedOpen = false;
        QVERIFY(withDialog([&](QDialog* dialog) {
            tickOnly(dialog, {"chkComName", "chkComZH"});
            dialog->findChild<QComboBox*>("cbbInfoNum")->setCurrentText("500");
            dialog->findChild<QComboBox*>("cbbExportStyle")->setCurrentIndex(0);
            AnswerSaveDialog(list);
            clickExport(dialog);
            stayedOpen = dialog->isVisible();
            tickOnly(dialog, {"chkComZHType"});
            AnswerSaveDialog(single);
            clickExport(dialog);
        }));
        QVERIFY(stayedOpen);

        const QJsonObject first = readWorkbook(list + ".xlsx");
        QCOMPARE(first["rows"].toArray().size(), 501);
        QCOMPARE(rowTexts(first, 0), QStringList({"会员帐号", "公司名称"}));
        const QJsonObject caption = rowCells(first, 0).at(0).toObject();
        QVERIFY(caption["style"].toObject()["fill"].isString());  // esBrick
        QCOMPARE(readWorkbook(home_->file("list001.xlsx"))["rows"].toArray().size(), 2);
        const QJsonObject second = readWorkbook(single);
        QCOMPARE(second["rows"].toArray().size(), 501);  // still 500 per file
        QCOMPARE(rowTexts(second, 0), QStringList({"会员类型"}));
        QVERIFY(QFileInfo::exists(home_->file("single001.xlsx")));

        int ticked = -1;
        QString infoNum;
        QString style;
        QVERIFY(withDialog([&](QDialog* dialog) {
            ticked = 0;
            for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
                ticked += box->isChecked();
            infoNum = dialog->findChild<QComboBox*>("cbbInfoNum")->currentText();
            style = dialog->findChild<QComboBox*>("cbbExportStyle")->currentText();
        }));
        QCOMPARE(ticked, 27);
        QCOMPARE(infoNum, QStringLiteral("不限"));
        QCOMPARE(style, QStringLiteral("样式8(esNormal)"));
    }

    void aFailedExportShowsWhyAndLeavesTheFile() {
        addRecords(2);
        const QByteArray garbage("not a workbook");
        home_->writeFile("list.xlsx", garbage);
        test::SeenBox seen;
        QVERIFY(withDialog([&](QDialog* dialog) {
            AnswerSaveDialog(home_->file("list.xlsx"));
            test::AnswerNextBox(QMessageBox::Ok, &seen);
            clickExport(dialog);
        }));
        QVERIFY2(seen.text.startsWith(QStringLiteral("导出失败: ")), qPrintable(QString("seen=%1 text=%2").arg(seen.seen).arg(seen.text)));
        QVERIFY(seen.text.contains(QStringLiteral("list.xlsx")));
        QCOMPARE(home_->readFile("list.xlsx"), garbage);
    }

    void cancellingTheProgressWindowWritesNoWorkbook() {
        addRecords(30000);
        QVERIFY(withDialog([&](QDialog* dialog) {
            AnswerSaveDialog(home_->file("list.xlsx"));
            test::OnModal([](QWidget* w) { return w->objectName() == "frmExportProgress"; },
                          [](QWidget* w) {
                              QTest::mouseClick(w->findChild<QPushButton*>("bbCancelExport"),
                                                Qt::LeftButton);
                          });
            clickExport(dialog);
        }));
        QVERIFY(!QFileInfo::exists(home_->file("list.xlsx")));
        QCOMPARE(QDir(home_->path()).entryList({"*.tmp"}, QDir::Hidden | QDir::Files).size(), 0);
    }

    void aStatementThatCannotBeOpenedShowsNothing() {
        QVERIFY(RunSQL("DROP TABLE Company"));
        QStringList shown;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->objectName() != "frmExportExcel") {
                shown << modal->metaObject()->className();
                modal->close();
            }
        });
        watch.start(10);
        QVERIFY(withDialog([&](QDialog* dialog) {
            clickExport(dialog);
            QTest::qWait(100);
        }));
        watch.stop();
        QCOMPARE(shown, QStringList());
    }
};

}  // namespace corpgather

CORPGATHER_APP_TEST_MAIN(corpgather::ExportExcelDialogTest)
#include "export_excel_dialog_test.moc"
