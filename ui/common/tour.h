// The tour: windows opened through their real buttons, headless, each view
// saved as PNG, and the texts of every text box and label kept for
// controls.json.
#pragma once

#include <QJsonObject>
#include <QString>

class QWidget;

namespace vm::ui {

class Tour {
public:
    explicit Tour(const QString& dir);

    const QString& dir() const { return dir_; }
    // Lets pending events and paints run, then saves the window as DIR/name.png.
    void snap(QWidget* window, const QString& name);
    // Keeps the text of every QLineEdit and QLabel of the window under its name.
    void record_controls(QWidget* window, const QString& window_name);
    // Writes controls.json; false when it or any picture could not be written.
    bool finish();
    int pictures() const { return pictures_; }

private:
    QString dir_;
    QJsonObject controls_;
    int pictures_ = 0;
    bool failed_ = false;
};

}  // namespace vm::ui
