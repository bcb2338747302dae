#include "app_test_support.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include "base/app_paths.h"
#include "store/database.h"
#include "store/settings.h"
#include "store/task_store.h"

namespace corpgather::test {
namespace {

constexpr int kModalDeadlineMs = 20000;

}  // namespace

TestHome::TestHome() {
    CloseDatabase();
    SetAppPathOverride(dir_.path().toStdString());
}

TestHome::~TestHome() {
    CloseDatabase();
    SetAppPathOverride({});
}

void TestHome::writeFile(const QString& name, const QByteArray& content) const {
    QFile file(this->file(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
}

QByteArray TestHome::readFile(const QString& name) const {
    QFile file(this->file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void OnModal(const std::function<bool(QWidget*)>& match,
             const std::function<void(QWidget*)>& action, bool* expired) {
    auto* timer = new QTimer(qApp);
    const QDeadlineTimer deadline(kModalDeadlineMs);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && match(modal)) {
            timer->deleteLater();
            timer->stop();
            action(modal);
            return;
        }
        if (!deadline.hasExpired())
            return;
        timer->deleteLater();
        timer->stop();
        if (expired)
            *expired = true;
        while (QWidget* open = QApplication::activeModalWidget())
            open->close();
    });
    timer->start();
}

namespace {

void answerBox(QMessageBox::StandardButton button, SeenBox* seen,
               const std::function<void()>& next) {
    OnModal([](QWidget* widget) { return qobject_cast<QMessageBox*>(widget) != nullptr; },
            [=](QWidget* widget) {
                auto* box = static_cast<QMessageBox*>(widget);
                if (seen) {
                    *seen = {true, box->text(), box->windowTitle(), box->icon(),
                             box->standardButtons()};
                }
                if (button == QMessageBox::NoButton)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    box->button(button)->click();
                if (next)
                    next();
            });
}

void answerInTurn(QList<QMessageBox::StandardButton> buttons, QList<SeenBox>* seen) {
    if (buttons.isEmpty())
        return;
    seen->append(SeenBox());
    SeenBox* current = &seen->last();
    const QMessageBox::StandardButton button = buttons.takeFirst();
    answerBox(button, current, [=] { answerInTurn(buttons, seen); });
}

}  // namespace

void AnswerNextBox(QMessageBox::StandardButton button, SeenBox* seen) {
    answerBox(button, seen, {});
}

void AnswerBoxes(const QList<QMessageBox::StandardButton>& buttons, QList<SeenBox>* seen) {
    seen->clear();
    seen->reserve(buttons.size());
    answerInTurn(buttons, seen);
}

bool WaitForTray() {
    return QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000);
}

QString BinDir() {
    return QStringLiteral(CORPGATHER_BIN_DIR);
}

SimMarket::SimMarket(const QStringList& arguments) {
    process_.setProgram(BinDir() + QStringLiteral("/marketplace-sim"));
    process_.setArguments(arguments);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted() ||
        !QTest::qWaitFor([this] { return process_.canReadLine(); }, 10000))
        return;
    port_ = process_.readLine().trimmed().toInt();
    const std::string port = ":" + std::to_string(port_);
    WriteHosts({"127.0.0.1" + port, ".shop.localhost" + port, "company.localhost" + port,
                "member.localhost" + port});
}

SimMarket::~SimMarket() {
    process_.terminate();
    if (!process_.waitForFinished(5000))
        process_.kill();
    process_.waitForFinished();
}

QString SimMarket::listingUrl(int beginPage) const {
    return QStringLiteral(
               "http://127.0.0.1:%1/company/company_search.htm?keywords=abc&beginPage=%2&n=y")
        .arg(port_)
        .arg(beginPage);
}

int SimMarket::addTask(int pages) {
    const int id = NextSearchID().value_or(0);
    AddTask({std::to_string(id), "0", "2alibaba.cfg", "阿里巴巴", listingUrl(1).toStdString(), "0",
             "0", std::to_string(pages * 20), std::to_string(pages), "abc"});
    return id;
}

long long CountRows(const char* table) {
    Query query;
    if (!OpenSQL(query, std::string("SELECT count(*) AS n FROM ") + table))
        return -1;
    return query.fieldInt("n");
}

}  // namespace corpgather::test
