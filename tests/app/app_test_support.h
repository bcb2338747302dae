#pragma once

#include <functional>
#include <memory>

#include <QByteArray>
#include <QMessageBox>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// Helpers of the window tests: a program folder per test, answering modal boxes while the
// code under test waits in them, and the simulated marketplace for runs.
namespace corpgather::test {

// A fresh program folder: GetAppPath points at it while the object lives.
class TestHome final {
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void writeFile(const QString& name, const QByteArray& content) const;
    QByteArray readFile(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// Runs `action` on the first modal window that `match` accepts, once it is shown, from inside
// whatever event loop is running then. After a generous deadline every modal window is
// rejected instead, so that a box that never comes fails the test rather than hanging it;
// `expired` (when given) is then set.
void OnModal(const std::function<bool(QWidget*)>& match,
             const std::function<void(QWidget*)>& action, bool* expired = nullptr);

// What a message box showed.
struct SeenBox {
    bool seen = false;
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Presses `button` in the next message box (Escape for QMessageBox::NoButton) and records it.
void AnswerNextBox(QMessageBox::StandardButton button, SeenBox* seen = nullptr);

// Answers the next message boxes in turn, one button each, and records what they showed.
void AnswerBoxes(const QList<QMessageBox::StandardButton>& buttons, QList<SeenBox>* seen);

// Waits for the tray host of the test display.
bool WaitForTray();

// The folder of the built executables.
QString BinDir();

// The simulated marketplace, with the hosts of the current program folder pointing at it.
class SimMarket final {
public:
    explicit SimMarket(const QStringList& arguments);
    ~SimMarket();

    bool started() const { return port_ > 0; }
    QString listingUrl(int beginPage) const;
    // Appends a task over `pages` result pages and returns its SearchID.
    int addTask(int pages);

private:
    QProcess process_;
    int port_ = 0;
};

// Rows of a table, counted on this thread's connection.
long long CountRows(const char* table);

}  // namespace corpgather::test

// A test main with the program's own application object, so that failures escaping a handler
// are shown as the program shows them.
#define CORPGATHER_APP_TEST_MAIN(TestClass)      \
    int main(int argc, char** argv) {            \
        corpgather::Application app(argc, argv); \
        TestClass test;                          \
        QTEST_SET_MAIN_SOURCE_PATH               \
        return QTest::qExec(&test, argc, argv);  \
    }
