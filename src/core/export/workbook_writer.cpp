#include "export/workbook_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>

#include "export/cell_text.h"
#include "export/sheet_copy.h"
#include "export/workbook_reader.h"

namespace corpgather {
namespace {

namespace fs = std::filesystem;

std::string systemError() {
    return std::strerror(errno);
}

// Reserves a fresh file beside the target, created with the mode new files get (0666 less the
// umask), so that the finished workbook lands with ordinary permissions.
std::optional<std::string> reserveTemporary(const fs::path& target, std::string* error) {
    std::random_device seed;
    std::mt19937 random(seed());
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            "." + target.filename().string() + "." + std::to_string(random() % 1000000) + ".tmp";
        const std::string path = (folder / name).string();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            break;
    }
    if (error)
        *error = "无法在 " + folder.string() + " 中创建文件（" + systemError() + "）";
    return std::nullopt;
}

lxw_format* lineFormat(lxw_workbook* workbook, std::optional<std::uint32_t> lineColor) {
    lxw_format* format = workbook_add_format(workbook);
    format_set_border(format, LXW_BORDER_THIN);
    if (lineColor)
        format_set_border_color(format, export_detail::LxwColor(*lineColor));
    return format;
}

}  // namespace

struct WorkbookFile::Impl {
    std::string target;
    ExportStyle style;
    std::string temporary;
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format* caption = nullptr;
    lxw_format* bands[2] = {nullptr, nullptr};
    lxw_row_t nextRow = 0;
    long long records = 0;
    std::string scratch;

    ~Impl() {
        if (workbook)
            lxw_workbook_free(workbook);
        if (!temporary.empty())
            ::unlink(temporary.c_str());
    }

    // Caption and record formats: column and row lines always; the preset's colours and a bold
    // caption for every style but esNormal.
    void makeFormats() {
        const std::optional<StylePalette> palette = StylePaletteOf(style);
        if (!palette) {
            caption = bands[0] = bands[1] = lineFormat(workbook, std::nullopt);
            return;
        }
        caption = lineFormat(workbook, palette->lines);
        format_set_bold(caption);
        format_set_pattern(caption, LXW_PATTERN_SOLID);
        format_set_bg_color(caption, export_detail::LxwColor(palette->captionFill));
        format_set_font_color(caption, export_detail::LxwColor(palette->captionFont));
        const std::uint32_t fills[2] = {palette->rowFill, palette->bandFill};
        for (int band = 0; band < 2; ++band) {
            bands[band] = lineFormat(workbook, palette->lines);
            format_set_pattern(bands[band], LXW_PATTERN_SOLID);
            format_set_bg_color(bands[band], export_detail::LxwColor(fills[band]));
            format_set_font_color(bands[band], export_detail::LxwColor(palette->rowFont));
        }
    }

    // Copies the existing workbook's sheet, when there is one; false when it cannot be read.
    bool copyExisting(const std::vector<WorkbookColumn>& columns, std::string* error) {
        std::error_code ignored;
        const bool exists = fs::exists(target, ignored);
        export_detail::WorkbookReader reader;
        std::string reason;
        if (exists && !reader.open(target, kExportSheetName, &reason)) {
            if (error)
                *error = "无法读取已有的文件 " + target + "：" + reason;
            return false;
        }
        std::optional<export_detail::SheetCopy> copy;
        if (reader.hasSheet()) {
            copy.emplace(reader, workbook, sheet);
            copy->copyColumns();
        }
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const int column = static_cast<int>(i);
            if (columns[i].width > 0 && !(copy && copy->coversColumn(column)))
                worksheet_set_column(sheet, static_cast<lxw_col_t>(column),
                                     static_cast<lxw_col_t>(column), columns[i].width, nullptr);
        }
        if (copy && !copy->copyRows(nextRow, &reason)) {
            if (error)
                *error = "无法读取已有的文件 " + target + "：" + reason;
            return false;
        }
        return true;
    }

    bool writeRow(std::span<const std::string> values, lxw_format* format, std::string* error) {
        if (nextRow >= LXW_ROW_MAX) {
            if (error)
                *error =
                    "工作表已满（" + std::to_string(LXW_ROW_MAX) + " 行），请限制每个文件的信息数";
            return false;
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            const auto column = static_cast<lxw_col_t>(i);
            const std::string& text = CellText(values[i], scratch);
            // Lines need a cell, so an empty value still gets a formatted blank one.
            const lxw_error result =
                text.empty() ? worksheet_write_blank(sheet, nextRow, column, format)
                             : worksheet_write_string(sheet, nextRow, column, text.c_str(), format);
            if (result != LXW_NO_ERROR) {
                if (error)
                    *error = lxw_strerror(result);
                return false;
            }
        }
        ++nextRow;
        return true;
    }
};

WorkbookFile::WorkbookFile(std::string target, ExportStyle style)
    : impl_(std::make_unique<Impl>()) {
    impl_->target = std::move(target);
    impl_->style = style;
}

WorkbookFile::~WorkbookFile() = default;

bool WorkbookFile::begin(const std::vector<WorkbookColumn>& columns, std::string* error) {
    Impl& d = *impl_;
    const std::optional<std::string> temporary = reserveTemporary(d.target, error);
    if (!temporary)
        return false;
    d.temporary = *temporary;
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    d.workbook = workbook_new_opt(d.temporary.c_str(), &options);
    d.sheet = d.workbook ? workbook_add_worksheet(d.workbook, kExportSheetName.data()) : nullptr;
    if (!d.sheet) {
        if (error)
            *error = "无法创建工作簿 " + d.target;
        return false;
    }
    d.makeFormats();
    if (!d.copyExisting(columns, error))
        return false;
    std::vector<std::string> captions;
    for (const WorkbookColumn& column : columns)
        captions.push_back(column.caption);
    return d.writeRow(captions, d.caption, error);
}

bool WorkbookFile::addRecord(std::span<const std::string> values, std::string* error) {
    Impl& d = *impl_;
    if (!d.writeRow(values, d.bands[d.records % 2], error))
        return false;
    ++d.records;
    return true;
}

bool WorkbookFile::commit(std::string* error) {
    Impl& d = *impl_;
    const lxw_error result = workbook_close(d.workbook);
    d.workbook = nullptr;
    if (result != LXW_NO_ERROR) {
        if (error)
            *error = "无法保存 " + d.target + "（" + lxw_strerror(result) + "）";
        return false;
    }
    struct stat existing;
    if (::stat(d.target.c_str(), &existing) == 0)
        ::chmod(d.temporary.c_str(), existing.st_mode & 07777);
    if (::rename(d.temporary.c_str(), d.target.c_str()) != 0) {
        if (error)
            *error = "无法保存 " + d.target + "（" + systemError() + "）";
        return false;
    }
    d.temporary.clear();
    return true;
}

const std::string& WorkbookFile::target() const {
    return impl_->target;
}

long long WorkbookFile::records() const {
    return impl_->records;
}

}  // namespace corpgather
