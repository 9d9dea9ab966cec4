// Laying the report out with Qt's rich-text document, writing it through
// QPdfWriter and QTextDocumentWriter into memory, and handing every file of
// the export to the all-or-nothing writer at once.
#include "report/course_export.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextImageFormat>
#include <QTextObjectInterface>
#include <QTextTable>
#include <QUrl>
#include <future>
#include <map>
#include <sstream>

#include "core/atomic_file.h"
#include "core/cam_motion.h"
#include "core/cam_quality.h"
#include "core/course_tables.h"
#include "core/design_limits.h"
#include "core/design_state.h"
#include "core/force_analysis.h"
#include "core/number_text.h"
#include "core/report.h"
#include "core/torque_energy.h"
#include "draw/drawing_surface.h"
#include "draw/surface_widget.h"
#include "figures/document_figures.h"
#include "report/sheets.h"

namespace vm::report {
namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QFont body_font(double pt, bool bold = false) {
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

QTextCharFormat char_format(double pt, bool bold = false) {
    QTextCharFormat f;
    f.setFont(body_font(pt, bold));
    return f;
}

// The caption is the table's first row, merged across and without borders, so
// it never stays behind at the foot of a page; with the column titles it is
// repeated on every page the table runs onto.
void add_table(QTextCursor& c, const DocTable& t, const std::string& caption) {
    QTextTableFormat tf;
    tf.setBorder(0.5);
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setCellPadding(2);
    tf.setCellSpacing(0);
    tf.setHeaderRowCount(2);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    const int cols = int(t.header.size());
    QTextTable* table = c.insertTable(int(t.rows.size()) + 2, cols, tf);
    table->mergeCells(0, 0, 1, cols);
    {
        QTextTableCell cell = table->cellAt(0, 0);
        QTextTableCellFormat cf = cell.format().toTableCellFormat();
        cf.setBorder(0);
        cf.setTopBorderStyle(QTextFrameFormat::BorderStyle_None);
        cf.setLeftBorderStyle(QTextFrameFormat::BorderStyle_None);
        cf.setRightBorderStyle(QTextFrameFormat::BorderStyle_None);
        cell.setFormat(cf);
        QTextCursor cc = cell.firstCursorPosition();
        QTextBlockFormat bf;
        bf.setAlignment(Qt::AlignHCenter);
        cc.setBlockFormat(bf);
        cc.insertText(q(caption), char_format(9.5, true));
    }
    auto put = [&](int row, int col, const std::string& text, bool bold) {
        QTextCursor cell = table->cellAt(row, col).firstCursorPosition();
        QTextBlockFormat bf;
        bf.setAlignment(col == 0 ? Qt::AlignLeft : Qt::AlignRight);
        cell.setBlockFormat(bf);
        cell.insertText(q(text), char_format(8, bold));
    };
    for (int col = 0; col < cols; ++col) put(1, col, t.header[std::size_t(col)], true);
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        for (int col = 0; col < cols && col < int(t.rows[r].size()); ++col) put(int(r) + 2, col, t.rows[r][std::size_t(col)], false);
    c.movePosition(QTextCursor::End);
}

QByteArray pdf_bytes(QTextDocument& doc) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        pdf.setResolution(300);
        pdf.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
        pdf.setCreator(QStringLiteral("Velmarion"));
        doc.print(&pdf);
    }
    return buffer.data();
}

QByteArray odt_bytes(QTextDocument& doc, bool* ok) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextDocumentWriter writer(&buffer, "ODF");
    *ok = writer.write(&doc);
    return buffer.data();
}

std::string bytes_of(const QByteArray& b) { return std::string(b.constData(), std::size_t(b.size())); }

ReportParameters report_parameters(const DesignState& s) {
    return {val(s.hs_h), val(s.hs_d), val(s.hs_e), val(s.hs_k), val(s.lg_ak),
            val(s.qb_g), val(s.lg_g), val(s.hs_g), val(s.lg_rk), val(s.qb_w)};
}

}  // namespace

unsigned parse_formats(const std::string& list, std::string* bad) {
    unsigned formats = 0;
    std::stringstream in(list);
    for (std::string name; std::getline(in, name, ',');) {
        if (name == "pdf") formats |= kPdf;
        else if (name == "odt") formats |= kOdt;
        else if (name == "csv") formats |= kCsv;
        else if (name == "svg") formats |= kSvg;
        else if (name == "png") formats |= kPng;
        else if (name == "txt") formats |= kText;
        else if (name == "all") formats |= kAllFormats;
        else {
            if (bad) *bad = name;
            return 0;
        }
    }
    return formats;
}

namespace {
// Marks a block that must stand on the page of the block after it: a heading
// and its first lines, a figure and its caption.
constexpr int kKeepWithNext = QTextFormat::UserProperty + 1;

// Paints the report's figures from their display lists wherever the document
// is painted, so the PDF holds them as lines and text: sharp at any zoom and a
// fraction of the size of pictures. It stands in for the document's own image
// painter; the image resources stay for the ODT writer, which reads them.
class FigurePainter : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit FigurePainter(QObject* parent) : QObject(parent) {}

    void add(const QString& name, std::unique_ptr<draw::DrawingSurface> figure) {
        figures_[name] = std::move(figure);
    }

    // The image format holds the size in pixels of 96 to the inch, as the
    // ODF writer reads it; the page is laid out in points.
    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
        const QTextImageFormat f = format.toImageFormat();
        return {f.width() * 72 / 96, f.height() * 72 / 96};
    }

    void drawObject(QPainter* p, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override {
        const auto it = figures_.find(format.toImageFormat().name());
        if (it == figures_.end() || rect.isEmpty()) return;
        const draw::DrawingSurface& s = *it->second;
        p->save();
        p->setClipRect(rect, Qt::IntersectClip);
        p->translate(rect.topLeft());
        p->scale(rect.width() / s.width_px(), rect.height() / s.height_px());
        draw::paint_picture(*p, s);
        p->restore();
    }

private:
    std::map<QString, std::unique_ptr<draw::DrawingSurface>> figures_;
};

// The figure inserted at the cursor at its size on the page, painted by
// `painter`; with `picture` also as an SVG image resource, which the ODF
// writer stores as it is. False when the figure has no drawing.
bool insert_figure(QTextDocument& doc, QTextCursor& c, const DocBlock& b, const DesignState& filled,
                   const CourseOptions& options, FigurePainter& painter, bool picture) {
    auto surface = figures::document_figure(b.figure, filled, options);
    if (!surface) return false;
    const QString name = QStringLiteral("figure-%1.svg").arg(b.number);
    if (picture) doc.addResource(QTextDocument::ImageResource, QUrl(name), draw::picture_svg(*surface));
    painter.add(name, std::move(surface));
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(b.figure.width_mm / 25.4 * 96);
    f.setHeight(b.figure.height_mm / 25.4 * 96);
    c.insertImage(f);
    return true;
}
}  // namespace

QTextDocument* layout_document(const CourseDocument& d, const DesignState* filled, const CourseOptions* options,
                               bool pictures) {
    auto* doc = new QTextDocument;
    auto* painter = new FigurePainter(doc);
    doc->setMetaInformation(QTextDocument::DocumentTitle, q(d.title));
    doc->setDefaultFont(body_font(10));
    // A4 less 20 mm margins, in points: the page size the PDF writer lays out on.
    doc->setPageSize(QSizeF((210 - 40) / 25.4 * 72, (297 - 40) / 25.4 * 72));
    QTextCursor c(doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setBottomMargin(12);
    c.setBlockFormat(centred);
    c.insertText(q(d.title), char_format(18, true));
    for (const DocBlock& b : d.blocks) {
        QTextBlockFormat bf;
        bf.setTopMargin(b.kind == DocBlock::Kind::Heading ? 14 : 4);
        bf.setBottomMargin(4);
        switch (b.kind) {
            case DocBlock::Kind::Heading:
                bf.setProperty(kKeepWithNext, true);
                c.insertBlock(bf, char_format(13, true));
                c.insertText(q(b.text));
                break;
            case DocBlock::Kind::Paragraph:
                bf.setTextIndent(20);
                c.insertBlock(bf, char_format(10));
                c.insertText(q(b.text));
                break;
            case DocBlock::Kind::Equations: {
                bf.setLeftMargin(20);
                bool first = true;
                std::stringstream lines(b.text);
                for (std::string line; std::getline(lines, line);) {
                    c.insertBlock(first ? bf : QTextBlockFormat(bf), char_format(9.5));
                    c.insertText(q(line));
                    first = false;
                }
                break;
            }
            case DocBlock::Kind::Table: {
                QTextBlockFormat before;
                before.setProperty(kKeepWithNext, true);
                c.insertBlock(before, char_format(8));
                add_table(c, b.table, b.text);
                break;
            }
            case DocBlock::Kind::Figure: {
                // The figure, then its caption under it, kept on one page.
                QTextBlockFormat picture = centred;
                picture.setTopMargin(8);
                picture.setBottomMargin(0);
                picture.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
                picture.setProperty(kKeepWithNext, true);
                if (filled && options) {
                    c.insertBlock(picture);
                    insert_figure(*doc, c, b, *filled, *options, *painter, pictures);
                }
                QTextBlockFormat caption = centred;
                caption.setTopMargin(2);
                caption.setBottomMargin(8);
                c.insertBlock(caption, char_format(9.5, true));
                c.insertText(q(b.text));
                break;
            }
        }
    }
    // The layout is made only now: one made earlier would lay the document
    // out again at every insertion.
    doc->documentLayout()->registerHandler(QTextFormat::ImageObject, painter);
    return doc;
}

void keep_with_next(QTextDocument& doc) {
    QAbstractTextDocumentLayout* layout = doc.documentLayout();
    const double page = doc.pageSize().height();
    if (!(page > 0)) return;
    // Where a block's first line stands: the layout moves lines that do not
    // fit onto the next page, so the block's own rectangle may start above.
    auto first_line = [layout](const QTextBlock& b) {
        const double top = layout->blockBoundingRect(b).top();
        const QTextLayout* lines = b.layout();
        return lines && lines->lineCount() > 0 ? top + lines->lineAt(0).y() : top;
    };
    // A block already this near the top of its page gains nothing from a break.
    const double near_top = 0.1 * page;
    // Until the whole document is laid out the positions below the part laid
    // out so far are only provisional.
    (void)doc.pageCount();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (!b.blockFormat().boolProperty(kKeepWithNext)) continue;
        const QTextBlock next = b.next();
        if (!next.isValid()) break;
        const int here = int(first_line(b) / page);
        if (int(first_line(next) / page) == here) continue;
        // A chain of kept blocks (a heading, the line before its table) moves
        // as a whole, from its first block.
        QTextBlock first = b;
        while (first.previous().isValid() && first.previous().blockFormat().boolProperty(kKeepWithNext) &&
               int(first_line(first.previous()) / page) == here)
            first = first.previous();
        if (first_line(first) - here * page < near_top) continue;
        QTextBlockFormat f = first.blockFormat();
        f.setPageBreakPolicy(f.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(first).setBlockFormat(f);
        // The layout mends only the changed block; the whole document is laid
        // out again so that the blocks below it move onto their new pages.
        doc.markContentsDirty(0, doc.characterCount());
        (void)doc.pageCount();
    }
}

ExportResult export_course_design(const DesignState& state, const CourseOptions& options, unsigned formats,
                                  const std::string& folder, bool parallel) {
    ExportResult out;
    const std::string dir = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::vector<std::pair<std::string, std::string>> files;

    const CourseDocument doc = course_document(state, options);
    if (!doc.ok()) {
        out.message = "无法导出设计文档：" + doc.error;
        return out;
    }
    DesignState filled = state;
    if (!fill_force_table(filled)) {
        out.message = "无法导出设计文档：该组数据无法完成运动与受力计算，请检查输入数据";
        return out;
    }
    // In parallel, the sheets' pictures are rendered while the report is laid
    // out and written: each is painted on an image of its own from a sheet
    // nobody changes any more. Otherwise each is rendered when it is taken.
    std::vector<Sheet> sheets;
    if (formats & (kPdf | kSvg | kPng)) sheets = drawing_sheets(filled, options);
    std::vector<std::future<std::string>> pngs;
    if (formats & kPng)
        for (const Sheet& sheet : sheets)
            pngs.push_back(std::async(parallel ? std::launch::async : std::launch::deferred,
                                      [&sheet] { return sheet_png(sheet); }));
    if (formats & (kPdf | kOdt)) {
        std::unique_ptr<QTextDocument> laid(layout_document(doc, &filled, &options, formats & kOdt));
        // The ODT goes first: a word processor lays the pages out itself, so
        // it gets no page breaks of this layout's making.
        if (formats & kOdt) {
            bool ok = false;
            const QByteArray odt = odt_bytes(*laid, &ok);
            if (!ok) {
                out.message = "无法生成设计说明书.odt";
                return out;
            }
            files.emplace_back(dir + "设计说明书.odt", bytes_of(odt));
        }
        if (formats & kPdf) {
            keep_with_next(*laid);
            files.emplace_back(dir + "设计说明书.pdf", bytes_of(pdf_bytes(*laid)));
        }
    }
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const Sheet& sheet = sheets[i];
        if (formats & kPdf) files.emplace_back(dir + sheet.name + ".pdf", sheet_pdf(sheet));
        if (formats & kSvg) files.emplace_back(dir + sheet.name + ".svg", sheet_svg(sheet));
    }
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        std::string png = pngs[i].get();
        if (png.empty()) {
            out.message = "无法生成" + sheets[i].name + ".png";
            for (std::size_t j = i + 1; j < pngs.size(); ++j) pngs[j].wait();
            return out;
        }
        files.emplace_back(dir + sheets[i].name + ".png", std::move(png));
    }
    if (formats & kCsv) {
        const auto kin = kinematics_table(filled);
        if (!kin) {
            out.message = "无法导出设计文档：该组数据无法完成运动与受力计算，请检查输入数据";
            return out;
        }
        const auto torque = torque_figures(filled);
        if (!torque) {
            out.message = "无法导出设计文档：该组数据的力矩与飞轮计算没有结果";
            return out;
        }
        files.emplace_back(dir + "运动分析.csv", csv_text(*kin));
        files.emplace_back(dir + "力分析.csv", csv_text(force_table_csv(filled.force_table)));
        files.emplace_back(dir + "力矩与能量.csv", csv_text(torque_energy_table(*torque)));
        files.emplace_back(dir + "从动件运动.csv", csv_text(follower_motion_table(FollowerMotion{options.cam.h})));
        if (check_cam_inputs(options.cam) == CamInputError::None) {
            files.emplace_back(dir + "凸轮轮廓.csv", csv_text(cam_profile_table(CamProfile(options.cam))));
            files.emplace_back(dir + "凸轮质量.csv",
                               csv_text(cam_quality_table(analyse_cam(options.cam, PressureAngleLimits{}), options.cam.rr)));
        }
    }
    if (formats & kText) {
        const ReportResult r = compute_report(report_parameters(state));
        if (!r.ok()) {
            out.message = "无法导出设计文档：" + r.error;
            return out;
        }
        if (WriteResult w = report_files(folder, r.data, files); !w.ok) {
            out.message = "无法导出设计文档：" + w.reason;
            return out;
        }
    }
    const WriteResult w = write_files_atomically(files);
    if (!w.ok) {
        out.message = "无法写入设计文档：" + w.reason;
        return out;
    }
    out.ok = true;
    for (const auto& f : files) out.files.push_back(f.first);
    out.message = "设计文档已写入 " + folder + "（" + std::to_string(files.size()) + " 个文件）";
    return out;
}

}  // namespace vm::report

#include "course_export.moc"
