// The course-design export: the whole export of the default design (report
// as PDF and ODT, the CSV tables, the two text reports) into a fresh folder,
// and a teacher's table of 200 groups exported on both cores, with every
// format, with the documents (PDF and ODT) and with the CSV tables alone.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <cstdio>
#include <string>
#include <vector>

#include "core/design_confirm.h"
#include "io/data_groups.h"
#include "report/batch.h"
#include "report/course_export.h"

namespace {

std::array<std::string, 11> default_texts() {
    std::array<std::string, 11> t;
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = vm::kDefaultParameterTexts[i];
    return t;
}

// 200 different designs around the defaults: stroke, bore, offset, K, speed
// and the allowed fluctuation all vary, every one a buildable mechanism.
std::vector<vm::io::DataGroup> groups(int n) {
    std::vector<vm::io::DataGroup> out;
    for (int i = 0; i < n; ++i) {
        vm::io::DataGroup g;
        char name[16];
        std::snprintf(name, sizeof name, "第%03d组", i + 1);
        g.name = name;
        g.parameters = default_texts();
        g.parameters[0] = std::to_string(200 + (i % 50) * 2);
        g.parameters[1] = std::to_string(150 + (i % 7) * 5);
        g.parameters[2] = std::to_string(40 + (i % 5) * 5);
        g.parameters[3] = i % 4 == 0 ? "1.02" : i % 4 == 1 ? "1.04" : i % 4 == 2 ? "1.06" : "1.08";
        g.parameters[9] = std::to_string(600 + (i % 10) * 20);
        g.parameters[10] = i % 3 == 0 ? "0.01" : i % 3 == 1 ? "0.02" : "0.03";
        g.line = i + 2;
        out.push_back(g);
    }
    return out;
}

const char* format_label(unsigned formats) {
    if (formats == vm::report::kCsv) return "csv";
    if (formats == (vm::report::kPdf | vm::report::kOdt)) return "pdf,odt";
    return "pdf,odt,svg,csv,png,txt";
}

// Argument: the formats, kAllFormats or kCsv.
void BM_ExportDefaultDesign(benchmark::State& st) {
    const unsigned formats = unsigned(st.range(0));
    const vm::Confirmation c = vm::confirm_parameters(default_texts());
    if (!c.ok()) {
        st.SkipWithError("the default design does not confirm");
        return;
    }
    for (auto _ : st) {
        QTemporaryDir dir;
        const vm::report::ExportResult r =
            vm::report::export_course_design(c.state, vm::CourseOptions{}, formats, dir.path().toStdString());
        if (!r.ok) st.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(r.files.data());
    }
    st.SetLabel(format_label(formats));
}
BENCHMARK(BM_ExportDefaultDesign)
    ->Arg(vm::report::kAllFormats)
    ->Arg(vm::report::kCsv)
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Argument: the formats, kAllFormats, kPdf | kOdt or kCsv.
void BM_Batch200Groups(benchmark::State& st) {
    const std::vector<vm::io::DataGroup> table = groups(200);
    const unsigned formats = unsigned(st.range(0));
    for (auto _ : st) {
        QTemporaryDir dir;
        const vm::report::BatchResult r =
            vm::report::export_groups(table, vm::CourseOptions{}, formats, dir.path().toStdString(), vm::report::batch_workers());
        if (!r.all_ok) st.SkipWithError(r.message.c_str());
    }
    st.SetLabel(format_label(formats));
}
BENCHMARK(BM_Batch200Groups)
    ->Arg(vm::report::kCsv)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Batch200Groups)
    ->Arg(vm::report::kPdf | vm::report::kOdt)
    ->Arg(vm::report::kAllFormats)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace
