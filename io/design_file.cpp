// Design files through Qt's JSON classes; every check is made before a design
// is handed back.
#include "io/design_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>
#include <cmath>

#include "core/course_document.h"
#include "core/design_limits.h"
#include "core/number_text.h"

namespace vm::io {
namespace {

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
std::string utf8(const QString& s) { return s.toStdString(); }

// A text field: strings as they are; a JSON number is accepted too and kept
// in the program's plain form, since a teacher may write the file by hand.
std::optional<std::string> text_field(const QJsonValue& v) {
    if (v.isString()) return utf8(v.toString());
    if (v.isDouble()) return plain(v.toDouble());
    return std::nullopt;
}

DesignRead fail(std::string why) { return DesignRead{std::nullopt, "设计文件无效：" + std::move(why)}; }

}  // namespace

std::string design_to_json(const DesignInputs& in) {
    QJsonObject params;
    for (std::size_t i = 0; i < kParameterLimits.size(); ++i)
        params.insert(qstr(kParameterLimits[i].box), qstr(in.parameters[i]));
    QJsonObject cam;
    for (std::size_t i = 0; i < kCamBoxes.size(); ++i) cam.insert(qstr(kCamBoxes[i]), qstr(in.cam[i]));
    QJsonObject root;
    root.insert(QStringLiteral("format"), qstr(kDesignFormat));
    root.insert(QStringLiteral("schema"), kDesignSchema);
    root.insert(QStringLiteral("parameters"), params);
    root.insert(QStringLiteral("cam"), cam);
    root.insert(QStringLiteral("force_angle"), qstr(in.force_angle));
    root.insert(QStringLiteral("export_positions"), QJsonArray{in.export_positions[0], in.export_positions[1]});
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

DesignRead design_from_json(std::string_view bytes) {
    QJsonParseError err{};
    const QJsonDocument doc =
        QJsonDocument::fromJson(QByteArray(bytes.data(), qsizetype(bytes.size())), &err);
    if (err.error != QJsonParseError::NoError)
        return fail("不是完整的JSON文本（第 " + std::to_string(err.offset) + " 个字节处：" +
                    utf8(err.errorString()) + "），文件可能已被截断或不是设计文件");
    if (!doc.isObject()) return fail("不是设计文件");
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != qstr(kDesignFormat)) return fail("不是设计文件");
    const QJsonValue schema = root.value(QStringLiteral("schema"));
    if (!schema.isDouble() || schema.toDouble() != std::floor(schema.toDouble()) || schema.toDouble() < 1)
        return fail("缺少版本号");
    if (schema.toDouble() > kDesignSchema)
        return fail("文件版本 " + plain(schema.toDouble()) + " 比本程序能读的版本 " +
                    std::to_string(kDesignSchema) + " 新，请使用更新的程序打开");

    DesignInputs in;
    const QJsonObject params = root.value(QStringLiteral("parameters")).toObject();
    for (std::size_t i = 0; i < kParameterLimits.size(); ++i) {
        const std::string box(kParameterLimits[i].box);
        const QJsonValue v = params.value(qstr(box));
        if (v.isUndefined()) return fail("缺少参数 " + box);
        const auto text = text_field(v);
        if (!text) return fail("参数 " + box + " 不是文本或数字");
        if (const auto problem = parameter_problem(i, *text)) return fail("参数 " + *problem);
        in.parameters[i] = *text;
    }
    const QJsonValue cam_value = root.value(QStringLiteral("cam"));
    if (!cam_value.isUndefined()) {
        const QJsonObject cam = cam_value.toObject();
        for (std::size_t i = 0; i < kCamBoxes.size(); ++i) {
            const QJsonValue v = cam.value(qstr(kCamBoxes[i]));
            if (v.isUndefined()) continue;
            const auto text = text_field(v);
            if (!text) return fail("凸轮参数 " + std::string(kCamBoxes[i]) + " 不是文本或数字");
            in.cam[i] = *text;
        }
    }
    const QJsonValue angle = root.value(QStringLiteral("force_angle"));
    if (!angle.isUndefined()) {
        const auto text = text_field(angle);
        if (!text) return fail("force_angle 不是文本或数字");
        in.force_angle = *text;
    }
    const QJsonValue positions = root.value(QStringLiteral("export_positions"));
    if (!positions.isUndefined()) {
        const QJsonArray a = positions.toArray();
        if (a.size() != 2) return fail("export_positions 须为两个 1～24 之间的位置号");
        for (int i = 0; i < 2; ++i) {
            const double p = a.at(i).toDouble(-1);
            if (!a.at(i).isDouble() || !is_report_position(p))
                return fail("export_positions 须为两个 1～24 之间的位置号");
            in.export_positions[std::size_t(i)] = int(p);
        }
    }
    return DesignRead{in, {}};
}

WriteResult save_design(const std::string& path, const DesignInputs& inputs) {
    return write_file_atomically(path, design_to_json(inputs));
}

DesignRead open_design(const std::string& path) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) return DesignRead{std::nullopt, "无法打开设计文件：" + path + "（" + utf8(f.errorString()) + "）"};
    // A design file is a few hundred bytes; anything huge is not one.
    constexpr qint64 kMaxBytes = 1 << 20;
    if (f.size() > kMaxBytes) return fail("文件过大，不是设计文件");
    const QByteArray bytes = f.read(kMaxBytes + 1);
    return design_from_json(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

}  // namespace vm::io
