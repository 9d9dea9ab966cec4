// Qt's own texts come out in Chinese once the translations are installed, and a
// refusal puts the focus on the box it is about.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include "tests/support/message_recorder.h"
#include "ui/common/messages.h"
#include "ui/common/translations.h"

namespace vm::ui {
namespace {

TEST(QtTranslations, StandardTextsOfDialogsAndMenusAreChinese) {
    ASSERT_TRUE(install_qt_translations(*QCoreApplication::instance()))
        << "qtbase_zh_CN.qm is missing: install qt6-translations-l10n";
    struct Case {
        const char* context;
        const char* source;
    };
    // The text box's context menu, the file dialog and the standard buttons.
    for (const Case& c : {Case{"QLineEdit", "&Copy"}, Case{"QLineEdit", "Select All"},
                          Case{"QFileDialog", "File &name:"}, Case{"QPlatformTheme", "Cancel"}}) {
        const QString t = QCoreApplication::translate(c.context, c.source);
        EXPECT_NE(t, QString::fromLatin1(c.source)) << c.context << " / " << c.source;
        bool has_cjk = false;
        for (QChar ch : t) has_cjk = has_cjk || (ch.unicode() >= 0x4E00 && ch.unicode() <= 0x9FFF);
        EXPECT_TRUE(has_cjk) << c.source << " -> " << t.toStdString();
    }
}

TEST(RefuseBox, MessageThenFocusOnTheBoxWithItsTextSelected) {
    test::MessageRecorder messages;
    QWidget w;
    auto* other = new QLineEdit(QStringLiteral("1"), &w);
    auto* box = new QLineEdit(QStringLiteral("abc"), &w);
    w.show();
    QApplication::setActiveWindow(&w);
    other->setFocus();
    refuse_box(box, QStringLiteral("请输入数据"));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].first, QStringLiteral("请输入数据"));
    EXPECT_EQ(messages.messages[0].second, kTitleError);
    EXPECT_EQ(w.focusWidget(), box);
    EXPECT_EQ(box->selectedText(), QStringLiteral("abc"));
}

}  // namespace
}  // namespace vm::ui
