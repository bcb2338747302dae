#include "export_command.h"

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>

#include <QCommandLineParser>
#include <QFileInfo>

#include "cli_app.h"
#include "export/export_columns.h"
#include "export/export_styles.h"
#include "export/task_export.h"
#include "store/task_store.h"
#include "task_commands.h"

namespace corpgather::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

// The status line on standard error: rewritten in place on a terminal, at most ten times a
// second; elsewhere only the last state.
class ProgressLine final : public ExportProgress {
public:
    ProgressLine() : terminal_(isatty(2)) {}

    void progressed(long long done, long long total) override {
        done_ = done;
        total_ = total;
        const auto now = std::chrono::steady_clock::now();
        if (!terminal_ || (done != total && now - shown_ < std::chrono::milliseconds(100)))
            return;
        shown_ = now;
        std::fprintf(stderr, "\r%s", ExportStatusLine(done, total).c_str());
        std::fflush(stderr);
    }

    bool cancelRequested() override { return interrupted != 0; }

    void finish() const {
        if (terminal_)
            std::fputc('\r', stderr);
        std::fprintf(stderr, "%s\n", ExportStatusLine(done_, total_).c_str());
    }

private:
    const bool terminal_;
    long long done_ = 0;
    long long total_ = 0;
    std::chrono::steady_clock::time_point shown_;
};

bool parseColumns(const QString& list, ExportFieldSet& fields, QString* unknown) {
    fields.reset();
    const QString commas = QString(list).replace(u'，', u',');
    for (const QString& name : commas.split(u',', Qt::SkipEmptyParts)) {
        const std::size_t index = ExportFieldIndex(name.trimmed().toStdString());
        if (index == kExportFieldCount) {
            *unknown = name.trimmed();
            return false;
        }
        fields[index] = true;
    }
    return true;
}

std::optional<ExportStyle> parseStyle(const QString& name) {
    const std::string text = name.toStdString();
    for (const ExportStyleEntry& entry : ExportStyleEntries()) {
        if (entry.text == text)
            return entry.style;
    }
    return ExportStyleByName(text);
}

}  // namespace

int ExportCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption out("out", "First workbook (.xlsx).", "FILE");
    const QCommandLineOption columns("columns", "Column names, comma-separated.", "NAMES");
    const QCommandLineOption rowsPerFile("rows-per-file", "Records per workbook; 0: no limit.",
                                         "N");
    const QCommandLineOption style("style", "Style preset, e.g. esNormal or esBrick.", "NAME");
    parser.addOptions({out, columns, rowsPerFile, style});
    if (!parser.parse(QStringList{"export"} + arguments))
        return Fail(kExitBadInput, parser.errorText());
    if (parser.positionalArguments().size() != 1)
        return Fail(kExitBadInput, "export needs one task ID");
    bool ok = false;
    const int id = parser.positionalArguments().first().toInt(&ok);
    if (!ok)
        return Fail(kExitBadInput, "not a task ID: " + parser.positionalArguments().first());
    if (!parser.isSet(out) || parser.value(out).isEmpty())
        return Fail(kExitBadInput, "export needs --out FILE");

    ExportRequest request;
    request.fileName = parser.value(out).toStdString();
    // As the save dialog does: a name without an extension gets .xlsx.
    if (QFileInfo(parser.value(out)).suffix().isEmpty())
        request.fileName += ".xlsx";
    ExportFieldSet fields = DefaultExportFields();
    QString unknown;
    if (parser.isSet(columns) && !parseColumns(parser.value(columns), fields, &unknown))
        return Fail(kExitBadInput, "unknown column: " + unknown);
    if (fields.none())
        return Fail(kExitBadInput, "请选择导出字段！ (--columns is empty)");
    if (parser.isSet(rowsPerFile)) {
        request.rowsPerFile = parser.value(rowsPerFile).toLongLong(&ok);
        if (!ok || request.rowsPerFile < 0)
            return Fail(kExitBadInput, "--rows-per-file needs a whole number, 0 or more");
    }
    if (parser.isSet(style)) {
        const std::optional<ExportStyle> chosen = parseStyle(parser.value(style));
        if (!chosen)
            return Fail(kExitBadInput, "unknown style: " + parser.value(style));
        request.style = *chosen;
    }

    if (!OpenDatabaseOrReport())
        return kExitDatabase;
    if (!ReadTask(id))
        return Fail(kExitBadInput, QString("unknown task %1").arg(id));
    request.statement = ExportStatement(fields, id);

    interrupted = 0;
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    ProgressLine progress;
    const ExportResult result = ExportToWorkbooks(request, progress);
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    if (result.outcome != ExportOutcome::QueryFailed)
        progress.finish();
    for (const std::string& file : result.files)
        std::printf("%s\n", file.c_str());

    switch (result.outcome) {
        case ExportOutcome::Exported:
            return kExitOk;
        case ExportOutcome::Cancelled:
            return Fail(kExitInterrupted,
                        "export cancelled; the workbook in progress was not written");
        case ExportOutcome::QueryFailed:
            return Fail(kExitDatabase,
                        QString::fromStdString("cannot read the records: " + result.error));
        case ExportOutcome::WriteFailed:
            break;
    }
    return Fail(kExitFailed, QString::fromStdString("导出失败: " + result.error));
}

}  // namespace corpgather::cli
