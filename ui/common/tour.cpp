// Tour: screenshots and control texts of the windows.
#include "ui/common/tour.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QWidget>

#include "ui/common/window_aids.h"

namespace vm::ui {

Tour::Tour(const QString& dir) : dir_(dir) { QDir().mkpath(dir_); }

void Tour::snap(QWidget* window, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(dir_).filePath(name + QStringLiteral(".png"));
    if (controls_holder(window)->grab().save(path, "PNG"))
        ++pictures_;
    else
        failed_ = true;
}

void Tour::record_controls(QWidget* window, const QString& window_name) {
    QJsonObject texts = controls_.value(window_name).toObject();
    for (QLineEdit* e : window->findChildren<QLineEdit*>())
        if (!e->objectName().isEmpty()) texts.insert(e->objectName(), e->text());
    for (QLabel* l : window->findChildren<QLabel*>())
        if (!l->objectName().isEmpty()) texts.insert(l->objectName(), l->text());
    controls_.insert(window_name, texts);
}

bool Tour::finish() {
    QSaveFile f(QDir(dir_).filePath(QStringLiteral("controls.json")));
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(QJsonDocument(controls_).toJson(QJsonDocument::Indented));
    return f.commit() && !failed_;
}

}  // namespace vm::ui
