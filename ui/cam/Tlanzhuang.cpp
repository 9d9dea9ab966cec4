// The cam mounting angle window: alpha and beta from the limit-position angle.
#include "ui/cam/Tlanzhuang.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "core/cam_mounting.h"
#include "core/design_state.h"
#include "core/number_text.h"
#include "draw/surface_widget.h"
#include "ui/common/controls.h"
#include "ui/common/messages.h"
#include "ui/common/twips.h"

namespace vm {

namespace {
using ui::qs;
constexpr int kPictureWidth = 525, kPictureHeight = 539;
constexpr int kPictureLeft = 160, kPictureTop = 16;

// The value boxes keep their given size, yet beta carries fifteen significant
// digits: the font steps down until the whole number shows, so no digit hides
// past the box's edge. QLineEdit keeps 2 pixels free on each side of its text.
void fit_font_to_text(QLineEdit* box) {
    const int room = box->width() - 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box) - 4;
    QFont font = box->font();
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(box->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    box->setFont(font);
}
}  // namespace

Tlanzhuang::Tlanzhuang(DesignState& state, QWidget* parent) : ui::WorkingWindow(parent) {
    setObjectName(QStringLiteral("Tlanzhuang"));
    setWindowTitle(QStringLiteral("凸轮安装角"));
    setFixedSize(kPictureLeft + kPictureWidth + 16, kPictureTop + kPictureHeight + 16);

    Label3 = ui::make_label(this, "Label3", "安装方法如图所示");
    ui::place_twips(Label3, 600, 240, 1800, 300);
    Label1 = ui::make_label(this, "Label1", "角α的角度：");
    ui::place_twips(Label1, 120, 1200, 1800, 300);
    // Alpha does not depend on K, so it shows even when beta cannot be found.
    Text1 = ui::make_text(this, "Text1", plain(kIntakeMountingAngle).c_str());
    ui::place_twips(Text1, 480, 1560, 1335, 375);
    Label2 = ui::make_label(this, "Label2", "角β的角度：");
    ui::place_twips(Label2, 240, 3360, 1800, 300);
    Text2 = ui::make_text(this, "Text2", "");
    ui::place_twips(Text2, 480, 3720, 1335, 375);

    Picture1 = new draw::SurfaceWidget(kPictureWidth, kPictureHeight, this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->move(kPictureLeft, kPictureTop);
    draw_mounting_method(Picture1->surface());

    CommandButton1 = ui::make_button(this, "CommandButton1", "返回");
    ui::place_twips(CommandButton1, 480, 4800, 1335, 450);
    connect(CommandButton1, &QPushButton::clicked, this, &Tlanzhuang::CommandButton1_Click);

    if (const std::optional<MountingAngles> m = mounting_angles(val(state.hs_k))) {
        Text2->setText(qs(plain(m->beta)));
        fit_font_to_text(Text2);
        Text2->setCursorPosition(0);
    } else {
        ui::show_message(this, QStringLiteral("行程速比系数K为-1，无法求出极位夹角"), ui::kTitleDataError);
    }
}

void Tlanzhuang::CommandButton1_Click() { close(); }

}  // namespace vm
