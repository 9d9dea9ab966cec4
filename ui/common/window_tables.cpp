// The tables behind the window aids: which button Enter in a box presses,
// which button Esc presses, and the tooltips, all by object name.
#include <QString>
#include <iterator>

#include "ui/common/window_aids.h"

namespace vm::ui {

namespace {

// Enter in a box runs what the box feeds: the button that reads it.
constexpr EnterPairing kEnter[] = {
    // Main window: every parameter box confirms the design.
    {"firstpage", "hs_h", "shujuOK"}, {"firstpage", "hs_d", "shujuOK"}, {"firstpage", "hs_e", "shujuOK"},
    {"firstpage", "hs_k", "shujuOK"}, {"firstpage", "lg_ak", "shujuOK"}, {"firstpage", "qb_g", "shujuOK"},
    {"firstpage", "lg_g", "shujuOK"}, {"firstpage", "hs_g", "shujuOK"}, {"firstpage", "lg_rk", "shujuOK"},
    {"firstpage", "qb_w", "shujuOK"}, {"firstpage", "sd_k", "shujuOK"},
    // Results window: the parameter boxes write the reports.
    {"frmshuju", "hs_h", "ok"}, {"frmshuju", "hs_d", "ok"}, {"frmshuju", "hs_e", "ok"},
    {"frmshuju", "hs_k", "ok"}, {"frmshuju", "lg_ak", "ok"}, {"frmshuju", "qb_g", "ok"},
    {"frmshuju", "lg_g", "ok"}, {"frmshuju", "hs_g", "ok"}, {"frmshuju", "lg_rk", "ok"},
    {"frmshuju", "qb_w", "ok"}, {"frmshuju", "sd_k", "ok"},
    // Special positions: the five inputs are confirmed together.
    {"teshu", "Text1", "Command1"}, {"teshu", "Text2", "Command1"}, {"teshu", "Text3", "Command1"},
    {"teshu", "Text4", "Command1"}, {"teshu", "Text5", "Command1"},
    // Motion analysis: the crank angle and the two scales draw one pair of
    // polygons; the first angle and the scales of the fifteen positions draw
    // the fifteen pairs.
    {"Form1", "Text2", "Command4"}, {"Form1", "txt_sudu", "Command4"}, {"Form1", "txt_jiasudu", "Command4"},
    {"Form1", "Text1", "Command1"}, {"Form1", "Text16", "Command1"}, {"Form1", "Text17", "Command1"},
    // Force polygons: the crank angle draws them.
    {"Form2", "f_itxt", "f_draw"},
    // Torque window: the allowed fluctuation feeds the torque diagram and the
    // flywheel; the radius feeds the balancing mass.
    {"Form3", "Text6", "Command1"}, {"Form3", "Text7", "Command2"},
    // Cam design: lift, base radius and offset make the theoretical profile;
    // the roller radius makes the actual one from it.
    {"tulun", "HIGH", "theory"}, {"tulun", "BASE", "theory"}, {"tulun", "OFFSET", "theory"},
    {"tulun", "roll", "real"},
    // Work cycle: K draws the diagram; speed and tick rate run the animation.
    {"xunhuan", "Text2", "Command1"}, {"xunhuan", "Text1", "Command2"}, {"xunhuan", "Text4", "Command2"},
    // Planar animation: the editable parameters draw the mechanism.
    {"pingmian", "Text1", "Command1"}, {"pingmian", "Text2", "Command1"}, {"pingmian", "Text3", "Command1"},
    {"pingmian", "Text4", "Command1"}, {"pingmian", "Text7", "Command1"},
};

struct BackButton {
    const char* window;
    const char* button;
};
// Windows not listed (the results window) have no back button: Esc closes them.
constexpr BackButton kBack[] = {
    {"teshu", "Command9"},  {"Form1", "Command2"},  {"Form2", "back"},    {"Form3", "back"},
    {"tulun", "t_close"},   {"Tlanzhuang", "CommandButton1"}, {"xunhuan", "Command4"},
    {"pingmian", "return"},
};

struct Tip {
    const char* window;  // nullptr: every window with a control of this name in kParameterWindows
    const char* control;
    const char* text;
};

// The eleven design parameters, in the main window and in the results window.
constexpr const char* kParameterWindows[] = {"firstpage", "frmshuju"};
constexpr Tip kParameterTips[] = {
    {nullptr, "hs_h", "活塞行程 H，单位 mm"},
    {nullptr, "hs_d", "活塞直径 D，单位 mm"},
    {nullptr, "hs_e", "活塞导路与曲柄中心的偏距 e，单位 mm"},
    {nullptr, "hs_k", "行程速比系数 K（无单位，大于 1）"},
    {nullptr, "lg_ak", "连杆重心到曲柄销 A 的距离与连杆长度之比（无单位）"},
    {nullptr, "qb_g", "曲柄重量 G1，单位 N"},
    {nullptr, "lg_g", "连杆重量 G2，单位 N"},
    {nullptr, "hs_g", "活塞重量 G3，单位 N"},
    {nullptr, "lg_rk", "连杆转动惯量系数（无单位）：绕质心的转动惯量 = 连杆质量 × 系数 × 连杆长²"},
    {nullptr, "qb_w", "曲柄转速 n，单位 r/min"},
    {nullptr, "sd_k", "许用速度不均匀系数 δ（无单位）"},
};

constexpr Tip kTips[] = {
    // Main window.
    {"firstpage", "shujuOK", "检查十一个参数，保存并求出连杆长、曲柄长和两个止点的曲柄转角，然后进入菜单"},
    {"firstpage", "MRshuju", "填入默认参数，保存并进入菜单"},
    {"firstpage", "PMdonghua", "曲柄滑块机构、配气机构和齿轮的平面动画"},
    {"firstpage", "TSweizhi", "上、下止点和滑块速度最大的位置，以及位移、速度、加速度曲线"},
    {"firstpage", "YDhePH", "速度、加速度多边形，力多边形，驱动力矩图与飞轮设计"},
    {"firstpage", "TLsheji", "从动件运动曲线，凸轮的理论轮廓与实际轮廓"},
    {"firstpage", "XHTyanshi", "工作循环图与配气定时动画"},
    {"firstpage", "CommandButton1", "进气、排气凸轮在凸轮轴上的安装角 α、β"},
    {"firstpage", "shujushuchu", "查看参数并写出速度、力两份报告（速度.txt、力.txt）"},
    {"firstpage", "fanhui", "回到参数输入，已填的参数保留"},
    {"firstpage", "Picture1", "单缸四冲程内燃机示意图"},

    // Results window.
    {"frmshuju", "reset", "使参数框可以修改"},
    {"frmshuju", "ok", "按框中的参数计算，写出报告 速度.txt 和 力.txt"},

    // Special positions.
    {"teshu", "Text1", "活塞行程 H，单位 mm"},
    {"teshu", "Text2", "活塞直径 D，单位 mm（只用于作图）"},
    {"teshu", "Text3", "曲柄与 X 轴的夹角 θ，单位 度，顺时针增大"},
    {"teshu", "Text4", "滑块导路的偏心距 E，单位 mm"},
    {"teshu", "Text5", "行程速比系数 K（无单位）"},
    {"teshu", "Text6", "连杆长度 L，单位 mm（计算结果）"},
    {"teshu", "Text7", "曲柄长度 R，单位 mm（计算结果）"},
    {"teshu", "Text8", "曲柄销 A 的 X 坐标，单位 mm（原点为曲柄中心 O）"},
    {"teshu", "Text9", "曲柄销 A 的 Y 坐标，单位 mm（向上为正）"},
    {"teshu", "Text10", "滑块销 B 的 X 坐标，单位 mm"},
    {"teshu", "Text11", "滑块销 B 的 Y 坐标，单位 mm"},
    {"teshu", "Text12", "动画中曲柄总共转过的角度，单位 度"},
    {"teshu", "Text15", "滑块位移 S，单位 mm"},
    {"teshu", "Text13", "滑块速度 V，单位 mm/s"},
    {"teshu", "Text14", "滑块加速度 a，单位 mm/s²"},
    {"teshu", "Command1", "采用所填参数，求出连杆长和曲柄长，画出该曲柄转角的机构"},
    {"teshu", "Command4", "填入默认参数，再按“确定”采用"},
    {"teshu", "Command2", "清空五个参数框"},
    {"teshu", "Command5", "上止点：连杆与曲柄伸直共线"},
    {"teshu", "Command6", "下止点：连杆与曲柄重叠共线"},
    {"teshu", "Command7", "曲柄在左侧时滑块速度最大的位置"},
    {"teshu", "Command8", "曲柄在右侧时滑块速度最大的位置"},
    {"teshu", "Command12", "画滑块的位移、速度、加速度曲线"},
    {"teshu", "Picture1", "曲柄滑块机构"},
    {"teshu", "Picture2", "滑块的位移（红）、速度（蓝）、加速度（粉红）曲线"},

    // Motion analysis.
    {"Form1", "CommandButton1", "速度、加速度多边形：一个位置的数值和十五个位置的图"},
    {"Form1", "CommandButton2", "整个循环的力分析，然后打开各构件的力多边形"},
    {"Form1", "CommandButton3", "整个循环的力分析，然后打开驱动力矩图和飞轮设计"},
    {"Form1", "Command4", "按曲柄转角和两个比例尺画一对速度、加速度多边形，并给出七个数值"},
    {"Form1", "Command1", "从 A1 的角度起，每隔 24 度画十五个位置的速度、加速度多边形"},
    {"Form1", "Command2", "回到分析菜单"},
    {"Form1", "Text2", "曲柄转角，单位 度（活塞最高时为零，顺时针增大）"},
    {"Form1", "txt_sudu", "速度图比例尺：每 1 m/s 画的图上长度"},
    {"Form1", "txt_jiasudu", "加速度图比例尺：每 1 m/s² 画的图上长度"},
    {"Form1", "Text3", "曲柄销 A 的速度 vA，单位 m/s"},
    {"Form1", "Text4", "活塞销 B 的速度 vB，单位 m/s"},
    {"Form1", "Text5", "B 相对 A 的速度 vAB，单位 m/s"},
    {"Form1", "Text6", "曲柄销 A 的加速度 aA，单位 m/s²"},
    {"Form1", "Text7", "活塞销 B 的加速度 aB，单位 m/s²"},
    {"Form1", "Text8", "B 相对 A 的法向加速度 aABn，单位 m/s²"},
    {"Form1", "Text9", "B 相对 A 的切向加速度 aABt，单位 m/s²"},
    {"Form1", "Text1", "十五个位置中第一个位置 A1 的曲柄转角，单位 度"},
    {"Form1", "Text16", "十五个速度多边形的比例尺：每 1 m/s 画的图上长度"},
    {"Form1", "Text17", "十五个加速度多边形的比例尺：每 1 m/s² 画的图上长度"},
    {"Form1", "Picture3", "该曲柄转角的速度多边形和加速度多边形"},
    {"Form1", "Picture1", "十五个位置的速度多边形"},
    {"Form1", "Picture2", "十五个位置的加速度多边形"},

    // Force polygons.
    {"Form2", "f_itxt", "曲柄转角，单位 度（-720～720）"},
    {"Form2", "f_ktxt", "力的缩小倍数：图上每 1 mm 代表的力，单位 N/mm（用右边的滚动条调节）"},
    {"Form2", "f_draw", "清除后画所选构件在该曲柄转角的力多边形"},
    {"Form2", "f_cls", "清除力多边形和端点标记"},
    {"Form2", "fpic", "所选构件的力多边形"},

    // Torque and flywheel.
    {"Form3", "Text6", "许用速度不均匀系数 δ（无单位）"},
    {"Form3", "Text1", "最大盈功，单位 J"},
    {"Form3", "Text2", "最大亏功，单位 J"},
    {"Form3", "Text3", "一个循环后的能量损失，单位 J"},
    {"Form3", "Text4", "最大盈亏功，单位 J"},
    {"Form3", "Text8", "所需飞轮转动惯量，单位 kg·m²"},
    {"Form3", "Text9", "发动机功率，单位 W"},
    {"Form3", "Text7", "平衡质量的添加半径 R，单位 cm"},
    {"Form3", "Text5", "在该半径上添加的平衡（不平衡）质量，单位 kg"},
    {"Form3", "Command1", "画驱动力矩图，求盈亏功、飞轮转动惯量和发动机功率"},
    {"Form3", "Command2", "按添加半径求平衡曲柄所需的不平衡质量"},
    {"Form3", "Picture1", "驱动力矩图"},

    // Cam design.
    {"tulun", "HIGH", "从动件的升程 h，单位 mm"},
    {"tulun", "BASE", "理论轮廓的基圆半径 r0，单位 mm"},
    {"tulun", "OFFSET", "从动件导路与凸轮中心的偏心距 e，单位 mm"},
    {"tulun", "roll", "滚子半径 rr，单位 mm"},
    {"tulun", "yl_tui", "推程的许用压力角 [α]，单位 度（1～89）"},
    {"tulun", "yl_hui", "回程的许用压力角 [α′]，单位 度（1～89）"},
    {"tulun", "theory", "按升程、基圆半径和偏心距画理论轮廓（滚子中心的轨迹）"},
    {"tulun", "real", "按滚子半径画实际轮廓（凸轮的工作表面）"},
    {"tulun", "base_tulun", "画理论轮廓的基圆"},
    {"tulun", "tpic", "凸轮轮廓"},
    {"tulun", "cpic", "从动件的运动曲线"},
    {"tulun", "process", "计算进度"},

    // Cam mounting angles.
    {"Tlanzhuang", "Text1", "左边（进气）凸轮的安装角 α：从活塞最高位置起顺时针转过的曲柄转角，单位 度"},
    {"Tlanzhuang", "Text2", "右边（排气）凸轮的安装角 β：从活塞最高位置起顺时针转过的曲柄转角，单位 度"},
    {"Tlanzhuang", "Picture1", "凸轮的安装方法"},

    // Work cycle.
    {"xunhuan", "Text1", "动画中曲柄每一步转过的角度，单位 度"},
    {"xunhuan", "Text4", "动画每秒的步数，单位 次/s（0 停止）"},
    {"xunhuan", "Text2", "行程速比系数 K（无单位），决定极位夹角"},
    {"xunhuan", "Text3", "极位夹角 θ，单位 度（计算结果）"},
    {"xunhuan", "Command1", "按行程速比系数画工作循环图"},
    {"xunhuan", "Command2", "按动画速度和触发频率转动曲柄"},
    {"xunhuan", "Picture1", "工作循环图"},
    {"xunhuan", "Picture2", "曲柄位置"},

    // Planar animation.
    {"pingmian", "Text1", "活塞行程 H，单位 mm"},
    {"pingmian", "Text2", "活塞直径 D，单位 mm"},
    {"pingmian", "Text3", "活塞导路与曲柄中心的偏距 e，单位 mm"},
    {"pingmian", "Text4", "行程速比系数 K（无单位）"},
    {"pingmian", "Text7", "曲柄位置，单位 度"},
    {"pingmian", "Text6", "曲柄长度 a，单位 mm（计算结果）"},
    {"pingmian", "Text5", "连杆长度 b，单位 mm（计算结果）"},
    {"pingmian", "Command1", "按参数求曲柄长和连杆长，画出机构"},
    {"pingmian", "Command3", "画出活塞的上、下两个极限位置"},
    {"pingmian", "Picture1", "内燃机示意图"},
    {"pingmian", "Picture2", "机构动画"},
};

bool same(const char* a, const QString& b) { return a && b == QLatin1String(a); }

}  // namespace

QString enter_button(const QString& window, const QString& box) {
    for (const EnterPairing& p : kEnter)
        if (same(p.window, window) && same(p.box, box)) return QString::fromLatin1(p.button);
    return {};
}

const EnterPairing* enter_pairings(int* count) {
    if (count) *count = static_cast<int>(std::size(kEnter));
    return kEnter;
}

QString back_button(const QString& window) {
    for (const BackButton& b : kBack)
        if (same(b.window, window)) return QString::fromLatin1(b.button);
    return {};
}

std::vector<std::pair<QString, QString>> tooltip_controls() {
    std::vector<std::pair<QString, QString>> out;
    for (const Tip& t : kTips) out.emplace_back(QString::fromLatin1(t.window), QString::fromLatin1(t.control));
    for (const char* w : kParameterWindows)
        for (const Tip& t : kParameterTips) out.emplace_back(QString::fromLatin1(w), QString::fromLatin1(t.control));
    return out;
}

QString tooltip_for(const QString& window, const QString& control) {
    for (const Tip& t : kTips)
        if (same(t.window, window) && same(t.control, control)) return QString::fromUtf8(t.text);
    for (const char* w : kParameterWindows) {
        if (!same(w, window)) continue;
        for (const Tip& t : kParameterTips)
            if (same(t.control, control)) return QString::fromUtf8(t.text);
    }
    return {};
}

}  // namespace vm::ui
