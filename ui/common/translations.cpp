// Qt's zh_CN catalogues (Debian's qt6-translations-l10n) for the whole program.
#include "ui/common/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vm::ui {

bool install_qt_translations(QCoreApplication& app) {
    // qtbase holds the dialogs, menus and buttons of the widgets we use.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace vm::ui
