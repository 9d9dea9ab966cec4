#include "app/export_command.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "core/cam_profile.h"
#include "core/course_document.h"
#include "core/design_confirm.h"
#include "core/design_limits.h"
#include "core/number_text.h"
#include "io/data_groups.h"
#include "io/design_file.h"
#include "report/batch.h"
#include "report/course_export.h"

namespace vm {
namespace {

constexpr const char* kHelp =
    "用法：velmarion export --out 文件夹 [选项]\n"
    "导出一个设计的课程设计文档：设计说明书.pdf 与 .odt、运动分析.csv、力分析.csv、力矩与能量.csv、\n"
    "从动件运动.csv、凸轮轮廓.csv 以及 速度.txt 与 力.txt。\n"
    "\n"
    "  --out 文件夹          写入的文件夹（不存在时新建），必须给出\n"
    "  --design 文件         从设计文件（.vmdesign）读入参数、凸轮参数与位置\n"
    "  --groups 方案表.csv   为方案表中的每一组导出到 文件夹/<方案>/，并写出 答案汇总.csv\n"
    "  --hs_h 数值 …         主界面各输入框的参数：--hs_h 活塞行程(mm) --hs_d 活塞直径(mm)\n"
    "                        --hs_e 偏距(mm) --hs_k 行程速比系数 --lg_ak 连杆重心系数 --qb_g 曲柄重量(N)\n"
    "                        --lg_g 连杆重量(N) --hs_g 活塞重量(N) --lg_rk 连杆回转半径系数\n"
    "                        --qb_w 曲柄转速(r/min) --sd_k 许用速度不均匀系数；未给出的取默认值\n"
    "  --positions 1,7       说明书中详细计算的两个位置（1～24），默认 1,7\n"
    "  --format pdf,odt,svg,csv,png,txt  要写的文件种类，默认全部：pdf 说明书与图纸，odt 说明书，\n"
    "                        svg 图纸（矢量），csv 数据表，png 图纸（200 dpi 图片），txt 两份文本报告\n"
    "  --help                显示本说明\n"
    "\n"
    "退出状态：0 全部文件已写出；1 有设计无法导出或文件无法写入；2 参数错误。\n";

int bad_argument(const std::string& message) {
    std::fprintf(stderr, "velmarion export：%s\n（velmarion export --help 列出全部选项）\n", message.c_str());
    return 2;
}

std::optional<std::array<int, 2>> parse_positions(const std::string& text) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) return std::nullopt;
    std::array<int, 2> p{};
    const std::string parts[2] = {text.substr(0, comma), text.substr(comma + 1)};
    for (int i = 0; i < 2; ++i) {
        const auto v = to_number(parts[i]);
        if (!v || !is_report_position(*v)) return std::nullopt;
        p[std::size_t(i)] = int(*v);
    }
    return p;
}

}  // namespace

bool is_export_command(int argc, char** argv) { return argc > 1 && std::strcmp(argv[1], "export") == 0; }

int run_export_command(int argc, char** argv) {
    std::map<std::string, std::string> opts;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (a.rfind("--", 0) != 0) return bad_argument("多余的参数“" + a + "”");
        const std::string name = a.substr(2);
        bool known = name == "out" || name == "design" || name == "groups" || name == "positions" || name == "format";
        for (const ParameterLimit& lim : kParameterLimits) known = known || name == lim.box;
        if (!known) return bad_argument("未知的选项“" + a + "”");
        if (i + 1 >= argc) return bad_argument("选项“" + a + "”缺少数值");
        if (opts.count(name)) return bad_argument("选项“" + a + "”给了两次");
        opts[name] = argv[++i];
    }
    if (!opts.count("out")) return bad_argument("必须用 --out 给出写入的文件夹");
    if (opts.count("groups") && (opts.count("design") || opts.size() > 2 + opts.count("positions") + opts.count("format")))
        return bad_argument("--groups 不能与 --design 或单个参数一起使用");

    io::DesignInputs inputs;
    for (std::size_t i = 0; i < inputs.parameters.size(); ++i) inputs.parameters[i] = kDefaultParameterTexts[i];
    if (opts.count("design")) {
        const io::DesignRead r = io::open_design(opts["design"]);
        if (!r.inputs) return bad_argument(r.error);
        inputs = *r.inputs;
    }
    for (std::size_t i = 0; i < kParameterLimits.size(); ++i) {
        const std::string box(kParameterLimits[i].box);
        if (opts.count(box)) inputs.parameters[i] = opts[box];
    }
    if (opts.count("positions")) {
        const auto p = parse_positions(opts["positions"]);
        if (!p) return bad_argument("--positions 须为两个 1～24 之间的整数，如 1,7；给的是“" + opts["positions"] + "”");
        inputs.export_positions = *p;
    }
    unsigned formats = report::kAllFormats;
    if (opts.count("format")) {
        std::string bad;
        formats = report::parse_formats(opts["format"], &bad);
        if (!formats) return bad_argument("--format 中有未知的种类“" + bad + "”，可用 pdf、odt、svg、csv、png、txt");
    }
    CourseOptions course;
    course.positions = inputs.export_positions;
    std::size_t bad_cam = 0;
    const auto cam = cam_inputs_of(inputs.cam, &bad_cam);
    if (!cam)
        return bad_argument("--design 文件中凸轮参数 " + std::string(io::kCamBoxes[bad_cam]) + " 的值“" +
                            inputs.cam[bad_cam] + "”不是数字");
    course.cam = *cam;

    // A single design is checked before anything is created on the disk.
    Confirmation c;
    if (!opts.count("groups")) {
        c = confirm_parameters(inputs.parameters);
        if (!c.ok()) {
            const std::string box = c.box >= 0 ? std::string(kParameterLimits[std::size_t(c.box)].box) : "";
            return bad_argument((box.empty() ? "" : "--" + box + " " + inputs.parameters[std::size_t(c.box)] + "：") +
                                c.message);
        }
    }
    const std::string out = opts["out"];
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(out), ec);
    if (ec || !std::filesystem::is_directory(std::filesystem::u8path(out))) {
        std::fprintf(stderr, "velmarion export：无法建立文件夹 %s（%s）\n", out.c_str(), ec.message().c_str());
        return 1;
    }

    if (opts.count("groups")) {
        const io::GroupTable table = io::read_group_table(opts["groups"]);
        if (!table.error.empty()) return bad_argument(table.error);
        if (!table.problems.empty())
            std::fprintf(stderr, "方案表中有 %zu 行无法使用：\n%s", table.problems.size(), io::problems_text(table).c_str());
        const int workers = report::batch_workers();
        const report::BatchResult r = report::export_groups(
            table.groups, course, formats, out, workers, [](int done, int total, const std::string& name) {
                std::fprintf(stderr, "[%d/%d] %s\n", done, total, name.c_str());
            });
        for (const report::GroupOutcome& g : r.groups)
            if (!g.ok) std::fprintf(stderr, "%s：%s\n", g.name.c_str(), g.reason.c_str());
        std::printf("%s；答案汇总写在 %s/%s\n", r.message.c_str(), out.c_str(), report::kSummaryName);
        return r.all_ok && table.problems.empty() ? 0 : 1;
    }

    const report::ExportResult r = report::export_course_design(c.state, course, formats, out);
    std::fprintf(r.ok ? stdout : stderr, "%s\n", r.message.c_str());
    return r.ok ? 0 : 1;
}

}  // namespace vm
