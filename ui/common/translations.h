// Qt's own texts (file dialogs, context menus of the text boxes, standard
// buttons) in the user's language: the program speaks Chinese throughout.
#pragma once

class QCoreApplication;

namespace vm::ui {

// Loads Qt's zh_CN translations from Qt's translation folder into `app`.
// Returns false when they are not installed; Qt then keeps its English texts.
bool install_qt_translations(QCoreApplication& app);

}  // namespace vm::ui
