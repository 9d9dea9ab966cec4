// Reading data-group tables: decoding, CSV records (RFC 4180 quoting, fields
// and records may hold line breaks inside quotes) and the check of each row.
#include "io/data_groups.h"

#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <optional>
#include <set>

#include "core/design_limits.h"
#include "core/number_text.h"

namespace vm::io {
namespace {

// UTF-8 (a leading byte-order mark dropped) when the bytes are valid UTF-8,
// otherwise GBK; nothing when they are neither.
std::optional<QString> decode(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const QByteArray raw(bytes.data(), qsizetype(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (!utf8.hasError()) return text;
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (!gbk.isValid()) return std::nullopt;
    text = gbk.decode(raw);
    if (gbk.hasError()) return std::nullopt;
    return text;
}

struct Record {
    std::vector<QString> fields;
    int line = 0;
};

// Splits the text into records; `bad_quote_line` is set to the line of a
// quoted field that never closes.
std::vector<Record> split_records(const QString& text, int& bad_quote_line) {
    std::vector<Record> records;
    Record cur;
    QString field;
    bool quoted = false, field_started = false;
    int line = 1;
    cur.line = 1;
    auto end_field = [&] {
        cur.fields.push_back(field);
        field.clear();
        field_started = false;
    };
    auto end_record = [&] {
        end_field();
        // A line that holds nothing at all is skipped.
        if (!(cur.fields.size() == 1 && cur.fields[0].trimmed().isEmpty())) records.push_back(cur);
        cur = Record{};
        cur.line = line;
    };
    int quote_line = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && !field_started) {
            quoted = field_started = true;
            quote_line = line;
        } else if (c == u',') {
            end_field();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            ++line;
            end_record();
        } else {
            field += c;
            field_started = true;
        }
    }
    if (quoted) bad_quote_line = quote_line;
    if (!field.isEmpty() || !cur.fields.empty()) end_record();
    return records;
}

bool usable_folder_name(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..") return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) return false;
    return true;
}

std::string utf8(const QString& s) { return s.toStdString(); }
std::string line_prefix(int line) { return "第 " + std::to_string(line) + " 行："; }

}  // namespace

GroupTable parse_group_table(std::string_view bytes) {
    GroupTable table;
    const auto text = decode(bytes);
    if (!text) {
        table.error = "方案表既不是UTF-8也不是GBK编码的文本";
        return table;
    }
    int bad_quote_line = 0;
    std::vector<Record> records = split_records(*text, bad_quote_line);
    if (records.empty()) {
        table.error = "方案表是空的";
        return table;
    }
    // Columns of the header: the group name and the eleven boxes; others are ignored.
    const Record& header = records.front();
    int name_col = -1;
    std::array<int, 11> cols;
    cols.fill(-1);
    for (std::size_t c = 0; c < header.fields.size(); ++c) {
        const std::string h = utf8(header.fields[c].trimmed());
        if (h == kGroupNameColumn) name_col = int(c);
        for (std::size_t i = 0; i < kParameterLimits.size(); ++i)
            if (h == kParameterLimits[i].box) cols[i] = int(c);
    }
    std::string missing;
    if (name_col < 0) missing += std::string(kGroupNameColumn);
    for (std::size_t i = 0; i < cols.size(); ++i)
        if (cols[i] < 0) missing += (missing.empty() ? "" : "、") + std::string(kParameterLimits[i].box);
    if (!missing.empty()) {
        table.error = "方案表第 " + std::to_string(header.line) + " 行的表头缺少列：" + missing;
        return table;
    }

    std::set<QString> names;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const Record& rec = records[r];
        auto problem = [&](std::string why) { table.problems.push_back({rec.line, line_prefix(rec.line) + why}); };
        if (rec.fields.size() != header.fields.size()) {
            problem("有 " + std::to_string(rec.fields.size()) + " 个字段，表头有 " +
                    std::to_string(header.fields.size()) + " 个");
            continue;
        }
        DataGroup g;
        g.line = rec.line;
        const QString name = rec.fields[std::size_t(name_col)].trimmed();
        g.name = utf8(name);
        if (!usable_folder_name(name)) {
            problem("方案名“" + g.name + "”为空或含有不能用作文件夹名的字符");
            continue;
        }
        if (names.count(name)) {
            problem("方案名“" + g.name + "”与前面的行重复");
            continue;
        }
        std::string why;
        for (std::size_t i = 0; i < cols.size() && why.empty(); ++i) {
            const std::string cell = utf8(rec.fields[std::size_t(cols[i])].trimmed());
            why = parameter_problem(i, cell).value_or("");
            g.parameters[i] = cell;
        }
        if (!why.empty()) {
            problem(why);
            continue;
        }
        names.insert(name);
        table.groups.push_back(std::move(g));
    }
    if (bad_quote_line > 0)
        table.problems.push_back({bad_quote_line, line_prefix(bad_quote_line) + "引号没有结束，文件可能已被截断"});
    return table;
}

GroupTable read_group_table(const std::string& path) {
    QFile f(QString::fromStdString(path));
    GroupTable table;
    if (!f.open(QIODevice::ReadOnly)) {
        table.error = "无法打开方案表：" + path + "（" + utf8(f.errorString()) + "）";
        return table;
    }
    constexpr qint64 kMaxBytes = 16 << 20;
    if (f.size() > kMaxBytes) {
        table.error = "方案表过大（超过16 MB）";
        return table;
    }
    const QByteArray bytes = f.readAll();
    return parse_group_table(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

std::string problems_text(const GroupTable& table, std::size_t max_lines) {
    std::string out;
    for (std::size_t i = 0; i < table.problems.size() && i < max_lines; ++i)
        out += table.problems[i].reason + "\n";
    if (table.problems.size() > max_lines)
        out += "……另有 " + std::to_string(table.problems.size() - max_lines) + " 行有问题\n";
    return out;
}

}  // namespace vm::io
