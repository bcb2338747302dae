#include "export/export_progress.h"

namespace corpgather {

std::string ExportStatusLine(long long done, long long total) {
    return "正在导出数据...... (" + std::to_string(done) + "/" + std::to_string(total) + ")";
}

}  // namespace corpgather
