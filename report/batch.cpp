// The batch runs one design per worker thread; each worker confirms its
// group, writes the group's folder and keeps its summary row, and the summary
// is written once all are done, in table order.
#include "report/batch.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <memory>
#include <thread>

#include <QThread>

#include "core/answer_key.h"
#include "core/atomic_file.h"
#include "core/course_tables.h"
#include "core/design_confirm.h"
#include "report/course_export.h"

namespace vm::report {

int batch_workers() { return int(std::max(1u, std::thread::hardware_concurrency())); }

BatchResult export_groups(const std::vector<io::DataGroup>& groups, const CourseOptions& options, unsigned formats,
                          const std::string& folder, int workers, const BatchProgress& progress) {
    BatchResult result;
    result.groups.resize(groups.size());
    std::vector<std::vector<std::string>> rows(groups.size());
    std::atomic<std::size_t> next{0};
    std::mutex progress_lock;
    int done = 0;
    const std::filesystem::path base(folder);

    auto work = [&] {
        for (std::size_t i; (i = next++) < groups.size();) {
            const io::DataGroup& g = groups[i];
            GroupOutcome& out = result.groups[i];
            out.name = g.name;
            const Confirmation c = confirm_parameters(g.parameters);
            std::optional<std::vector<std::string>> key;
            if (!c.ok()) {
                out.reason = c.message;
            } else if (!(key = answer_key_cells(c.state, options.balancing_radius_cm))) {
                out.reason = "该组数据无法完成运动与受力计算";
            } else {
                std::error_code ec;
                const std::filesystem::path dir = base / std::filesystem::u8path(g.name);
                std::filesystem::create_directories(dir, ec);
                if (ec) {
                    out.reason = "无法建立文件夹：" + dir.string();
                } else {
                    const ExportResult e = export_course_design(c.state, options, formats, dir.string(), false);
                    out.ok = e.ok;
                    if (!e.ok) out.reason = e.message;
                }
            }
            std::vector<std::string>& row = rows[i];
            row = {g.name, out.ok ? "已导出" : out.reason};
            const std::size_t columns = answer_key_header().size();
            for (std::size_t k = 0; k < columns; ++k) row.push_back(key && out.ok ? (*key)[k] : "");
            std::lock_guard<std::mutex> lock(progress_lock);
            ++done;
            if (progress) progress(done, int(groups.size()), g.name);
        }
    };
    // Qt threads, not bare ones: the text layout of the documents starts Qt
    // timers, which need a thread Qt knows.
    const int n = std::max(1, std::min<int>(workers, int(groups.size())));
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 1; t < n; ++t) {
        threads.emplace_back(QThread::create(work));
        threads.back()->start();
    }
    work();
    for (auto& t : threads) t->wait();

    CsvTable summary;
    summary.header = {"方案", "结果"};
    for (const std::string& h : answer_key_header()) summary.header.push_back(h);
    summary.rows = std::move(rows);
    const WriteResult w = write_file_atomically((base / kSummaryName).string(), csv_text(summary));
    int exported = 0;
    for (const GroupOutcome& g : result.groups) exported += g.ok;
    result.all_ok = w.ok && exported == int(groups.size());
    result.message = "共 " + std::to_string(groups.size()) + " 组，导出 " + std::to_string(exported) + " 组";
    if (!w.ok) result.message += "；无法写入" + std::string(kSummaryName) + "：" + w.reason;
    return result;
}

}  // namespace vm::report
