// Command line parsing for velmarion.
#include "ui/common/command_line.h"

namespace vm::ui {

CommandLine parse_command_line(const std::vector<std::string>& args) {
    CommandLine c;
    auto refuse = [&c](std::string why) {
        c.action = CommandLine::Action::refuse;
        c.error = std::move(why);
        return c;
    };
    bool help = false, version = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            help = true;
        } else if (a == "--version") {
            version = true;
        } else if (a == "--tour" || a.rfind("--tour=", 0) == 0) {
            std::string dir;
            if (a == "--tour") {
                if (i + 1 >= args.size() || args[i + 1].empty()) return refuse("--tour 后面缺少目录");
                dir = args[++i];
            } else {
                dir = a.substr(7);
                if (dir.empty()) return refuse("--tour 后面缺少目录");
            }
            if (!c.tour_dir.empty()) return refuse("--tour 只能给一次");
            c.tour_dir = dir;
        } else if (!a.empty() && a[0] == '-') {
            return refuse("不认识的选项：" + a);
        } else {
            if (!c.design_file.empty()) return refuse("只能打开一个设计文件：" + a);
            c.design_file = a;
        }
    }
    if (!c.design_file.empty() && !c.tour_dir.empty()) return refuse("--tour 不打开设计文件：" + c.design_file);
    if (help)
        c.action = CommandLine::Action::help;
    else if (version)
        c.action = CommandLine::Action::version;
    else if (!c.tour_dir.empty())
        c.action = CommandLine::Action::tour;
    return c;
}

std::string help_text() {
    return "用法：velmarion [选项]\n"
           "单缸四冲程内燃机机构的课程设计工具。不带选项时打开主窗口。\n"
           "\n"
           "velmarion 设计文件.vmdesign\n"
           "                 打开主窗口并读入该设计（如同“打开设计…”）\n"
           "\n"
           "选项：\n"
           "  --tour 目录    不打开窗口，把每个窗口的每个画面存为 PNG，\n"
           "                 连同各框、标签的文字（controls.json）写入该目录\n"
           "  -h, --help     显示本说明后退出\n"
           "  --version      显示版本后退出\n"
           "\n"
           "velmarion export --out 目录 [选项]\n"
           "                 不打开窗口，导出设计说明书（PDF、ODT）、各数据表（CSV）与报告；\n"
           "                 velmarion export --help 列出它的选项\n"
           "\n"
           "界面大小随系统的缩放；也可用环境变量 QT_SCALE_FACTOR 放大（如 1.5）。\n";
}

std::string version_text(const char* qt_version) {
    return std::string("velmarion ") + kProgramVersion + "（Qt " + (qt_version ? qt_version : "?") + "）\n";
}

}  // namespace vm::ui
