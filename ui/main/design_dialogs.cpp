// The main window's choosers and small dialogs, and the progress dialog that
// keeps the window alive while an export runs on a worker thread.
#include "ui/main/design_dialogs.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <memory>

#include "core/design_limits.h"

namespace vm::ui {

namespace {

DesignDialogs& hooks() {
    static DesignDialogs d;
    return d;
}

QDialogButtonBox* ok_cancel(QDialog* d) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return buttons;
}

}  // namespace

void set_design_dialogs(DesignDialogs dialogs) { hooks() = std::move(dialogs); }

QString documents_folder() { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

QString ask_save_file(QWidget* parent, const QString& title, const QString& start, const QString& filter) {
    if (hooks().save_file) return hooks().save_file(parent, title, start, filter);
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

QString ask_open_file(QWidget* parent, const QString& title, const QString& start, const QString& filter) {
    if (hooks().open_file) return hooks().open_file(parent, title, start, filter);
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString ask_folder(QWidget* parent, const QString& title, const QString& start) {
    if (hooks().folder) return hooks().folder(parent, title, start);
    return QFileDialog::getExistingDirectory(parent, title, start);
}

int ask_group(QWidget* parent, const std::vector<io::DataGroup>& groups) {
    if (hooks().group) return hooks().group(parent, groups);
    GroupDialog d(groups, parent);
    return d.exec() == QDialog::Accepted ? d.chosen() : -1;
}

std::optional<std::array<int, 2>> ask_positions(QWidget* parent, std::array<int, 2> current) {
    if (hooks().positions) return hooks().positions(parent, current);
    PositionsDialog d(current, parent);
    if (d.exec() != QDialog::Accepted) return std::nullopt;
    return d.positions();
}

void run_with_progress(QWidget* parent, const QString& title, const QString& label,
                       const std::function<void()>& work) {
    QProgressDialog progress(label, QString(), 0, 0, parent);
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButton(nullptr);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumWidth(380);
    progress.show();
    if (hooks().progress_shown) hooks().progress_shown(&progress);

    // A QThread, not a bare thread: the document writers start Qt timers.
    std::atomic<bool> done{false};
    std::unique_ptr<QThread> worker(QThread::create([&] {
        work();
        done = true;
    }));
    worker->start();
    // The busy bar moves and the windows repaint while the worker writes.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done) loop.quit();
    });
    poll.start(15);
    loop.exec();
    worker->wait();
    progress.close();
}

GroupDialog::GroupDialog(const std::vector<io::DataGroup>& groups, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GroupDialog"));
    setWindowTitle(QStringLiteral("选择方案"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("选择一组数据，填入主窗口的各个输入框："), this));
    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("groups"));
    for (const io::DataGroup& g : groups) {
        // The name with the figures that tell groups apart at a glance; every
        // value of the row in the tool tip.
        const QString line = QStringLiteral("%1    行程 %2 mm，行程速比系数 %3，转速 %4 r/min")
                                 .arg(QString::fromStdString(g.name), QString::fromStdString(g.parameters[kHsH]),
                                      QString::fromStdString(g.parameters[kHsK]),
                                      QString::fromStdString(g.parameters[kQbW]));
        auto* item = new QListWidgetItem(line, list);
        QStringList tip;
        for (std::size_t i = 0; i < kParameterLimits.size(); ++i)
            tip << QStringLiteral("%1 = %2").arg(QString::fromUtf8(kParameterLimits[i].box.data(),
                                                                   qsizetype(kParameterLimits[i].box.size())),
                                                 QString::fromStdString(g.parameters[i]));
        item->setToolTip(tip.join(QLatin1Char('\n')));
    }
    if (!groups.empty()) list->setCurrentRow(0);
    layout->addWidget(list);
    layout->addWidget(ok_cancel(this));
    connect(list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(460, 320);
}

int GroupDialog::chosen() const { return list->currentRow(); }

PositionsDialog::PositionsDialog(std::array<int, 2> current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PositionsDialog"));
    setWindowTitle(QStringLiteral("导出设计文档"));
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral("说明书中写出速度、加速度矢量方程与受力平衡方程的两个位置（1～24）："), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* form = new QFormLayout;
    auto make_spin = [this](const char* name, int value) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(1, 24);
        s->setValue(value);
        return s;
    };
    first = make_spin("first", current[0]);
    second = make_spin("second", current[1]);
    form->addRow(QStringLiteral("第一个位置"), first);
    form->addRow(QStringLiteral("第二个位置"), second);
    layout->addLayout(form);
    layout->addWidget(ok_cancel(this));
    setMinimumWidth(340);
}

std::array<int, 2> PositionsDialog::positions() const { return {first->value(), second->value()}; }

}  // namespace vm::ui
