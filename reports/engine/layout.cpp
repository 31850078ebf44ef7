#include "layout.h"

#include "expression.h"
#include "text_metrics.h"
#include "value_format.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <utility>

namespace mc::reports {

namespace {

// Stands for the page count until every page is laid out.
const QString totalPagesMark = QString(QChar(0xE000));

class Layouter {
public:
    Layouter(const ReportTemplate& report, const DataSources& sources, const QDateTime& now, const QString& company)
        : t_(report), now_(now), company_(company), footer_(report.band(BandType::PageFooter))
    {
        for (auto it = sources.begin(); it != sources.end(); ++it)
            sources_.insert(it.key().toLower(), &it.value());
    }

    PreparedReport run()
    {
        startPage();
        if (const Band* title = t_.band(BandType::ReportTitle))
            place(*title);
        if (const Band* pageHeader = t_.band(BandType::PageHeader))
            place(*pageHeader);
        pageTop_ = y_;
        runData();
        if (const Band* summary = t_.band(BandType::ReportSummary))
            place(*summary);
        finishPage();
        resolvePageCount();
        return std::move(out_);
    }

private:
    const DataSource* source(const QString& name)
    {
        const DataSource* s = sources_.value(name.toLower());
        if (!s)
            error(QStringLiteral("数据源不存在: ") + name);
        return s;
    }

    void error(const QString& text)
    {
        if (!errorSet_.contains(text)) {
            errorSet_.insert(text);
            out_.errors << text;
        }
    }

    int rowsOf(const Band* band)
    {
        if (!band)
            return 0;
        const DataSource* s = source(band->source);
        return s ? s->rowCount() : 0;
    }

    // One master list with the bands around it.
    struct Section {
        const Band* columnHeader = nullptr;
        const Band* groupHeader = nullptr;
        const Band* master = nullptr;
        const Band* detail = nullptr;
        const Band* groupFooter = nullptr;
    };

    // Column and group headers belong to the master band after them, detail and group footers
    // to the one before them: a template may list several masters one after another.
    QList<Section> sections() const
    {
        QList<Section> list;
        Section current;
        auto startsNew = [&] { return current.master != nullptr; };
        for (const Band& b : t_.bands) {
            switch (b.type) {
            case BandType::ColumnHeader:
            case BandType::GroupHeader:
            case BandType::MasterData:
                if (startsNew()) {
                    list << current;
                    current = {};
                }
                if (b.type == BandType::ColumnHeader) current.columnHeader = &b;
                else if (b.type == BandType::GroupHeader) current.groupHeader = &b;
                else current.master = &b;
                break;
            case BandType::DetailData:
                current.detail = &b;
                break;
            case BandType::GroupFooter:
                current.groupFooter = &b;
                break;
            default:
                break;
            }
        }
        if (current.master || current.columnHeader || current.detail)
            list << current;
        return list;
    }

    void runData()
    {
        for (const Section& section : sections())
            runSection(section);
    }

    void runSection(const Section& s)
    {
        columnHeader_ = s.columnHeader;
        if (columnHeader_)
            place(*columnHeader_);
        if (!s.master) {
            runDetail(s.detail);
            return;
        }
        const QString key = s.master->source.toLower();
        const int rows = rowsOf(s.master);
        repeatColumnHeader_ = true;
        QString groupValue;
        for (int r = 0; r < rows; ++r) {
            current_[key] = r;
            const QString value = s.groupHeader ? conditionValue(*s.groupHeader) : QString();
            if (r == 0 || value != groupValue) {
                if (r > 0 && s.groupFooter)
                    placeGroupBand(*s.groupFooter, key, r - 1);
                groupValue = value;
                group_ = {key, r, groupEnd(s.groupHeader, key, r, rows)};
                if (s.groupHeader)
                    placeGroupBand(*s.groupHeader, key, r);
            }
            place(*s.master, r);
            runDetail(s.detail);
        }
        if (rows > 0 && s.groupFooter)
            placeGroupBand(*s.groupFooter, key, rows - 1);
        group_ = {};
        repeatColumnHeader_ = false;
    }

    // The group bands sum over their group only, and read the master row they follow or lead.
    void placeGroupBand(const Band& band, const QString& key, int row)
    {
        const int saved = current_.value(key);
        current_[key] = row;
        inGroupBand_ = true;
        place(band);
        inGroupBand_ = false;
        current_[key] = saved;
    }

    // One past the last row of the group that starts at `first`.
    int groupEnd(const Band* groupHeader, const QString& key, int first, int rows)
    {
        if (!groupHeader)
            return rows;
        const QString value = conditionValue(*groupHeader);
        int end = first + 1;
        for (; end < rows; ++end) {
            current_[key] = end;
            if (conditionValue(*groupHeader) != value)
                break;
        }
        current_[key] = first;
        return end;
    }

    QString conditionValue(const Band& groupHeader)
    {
        QString condition = groupHeader.condition.trimmed();
        if (condition.startsWith(u'[') && condition.endsWith(u']'))
            condition = condition.mid(1, condition.size() - 2);
        // A group header without a condition (just added in the designer) is one group.
        if (condition.isEmpty())
            return {};
        return evaluate(parseExpression(condition), QString());
    }

    void runDetail(const Band* detail)
    {
        if (!detail)
            return;
        const QString key = detail->source.toLower();
        const int rows = rowsOf(detail);
        for (int r = 0; r < rows; ++r) {
            current_[key] = r;
            place(*detail, r);
        }
    }

    void startPage()
    {
        PreparedPage page;
        page.size = QSizeF(t_.page.width, t_.page.height);
        out_.pages << page;
        y_ = t_.page.marginTop;
        pageTop_ = y_;
        bottomLimit_ = t_.page.continuous()
                           ? 1e12
                           : t_.page.height - t_.page.marginBottom - (footer_ ? footer_->height : 0);
    }

    void finishPage()
    {
        if (footer_) {
            const double top = t_.page.continuous() ? y_ : t_.page.height - t_.page.marginBottom - footer_->height;
            const PreparedBand band = build(*footer_, top, -1);
            y_ = top + band.rect.height();
            out_.pages.last().bands << band;
        }
        if (t_.page.continuous())
            out_.pages.last().size.setHeight(y_ + t_.page.marginBottom);
    }

    void newPage()
    {
        // A group band may be what breaks the page; the page bands still cover the whole report.
        const bool inGroupBand = std::exchange(inGroupBand_, false);
        finishPage();
        startPage();
        if (const Band* pageHeader = t_.band(BandType::PageHeader))
            append(build(*pageHeader, y_, -1));
        if (repeatColumnHeader_ && columnHeader_)
            append(build(*columnHeader_, y_, -1));
        pageTop_ = y_;
        inGroupBand_ = inGroupBand;
    }

    void place(const Band& band, int row = -1)
    {
        PreparedBand prepared = build(band, y_, row);
        // A band taller than a whole page is placed anyway rather than looping on new pages.
        if (y_ + prepared.rect.height() > bottomLimit_ && y_ > pageTop_) {
            newPage();
            prepared = build(band, y_, row);
        }
        append(std::move(prepared));
    }

    void append(PreparedBand band)
    {
        y_ = band.rect.bottom();
        out_.pages.last().bands << std::move(band);
    }

    PreparedBand build(const Band& band, double top, int row)
    {
        PreparedBand out;
        out.type = band.type;
        out.name = band.name;
        out.row = row;
        const double left = t_.page.marginLeft;
        for (const ReportObject& o : band.objects) {
            PreparedObject p = placeObject(o, QPointF(left, top), o.kind == ObjectKind::Text ? resolve(o.text, o.format) : QString());
            // A text that cannot grow with its band gets a smaller font rather than spill over
            // its neighbours (a long column title, say).
            if (p.kind == ObjectKind::Text && !(band.stretch && p.wordWrap))
                p.font = fittingFont(p.font, p.rect, p.frame, p.text, p.wordWrap);
            out.objects << p;
        }
        double height = band.height;
        if (band.stretch)
            height += stretch(band, out.objects);
        out.rect = QRectF(left, top, t_.page.width - t_.page.marginLeft - t_.page.marginRight, height);
        return out;
    }

    // Word-wrapped texts grow to fit; the other cells of their row grow with them, so the row's
    // frame lines stay joined; whatever lies wholly below a grown object moves down with it, so
    // stacked lines never overlap. Returns how much the band grows.
    static double stretch(const Band& band, QList<PreparedObject>& objects)
    {
        const qsizetype n = objects.size();
        QList<double> growth(n, 0.0);
        for (qsizetype i = 0; i < n; ++i) {
            const PreparedObject& p = objects[i];
            if (p.kind == ObjectKind::Text && p.wordWrap) {
                const QRectF& original = band.objects[i].rect;
                growth[i] = std::max(0.0, framedHeight(p.font, original, p.frame, p.text, true) - original.height());
            }
        }
        auto sameRow = [&](qsizetype a, qsizetype b) {
            const QRectF& ra = band.objects[a].rect;
            const QRectF& rb = band.objects[b].rect;
            return std::abs(ra.top() - rb.top()) < 1e-6 && std::abs(ra.bottom() - rb.bottom()) < 1e-6;
        };
        QList<double> rowGrowth = growth;
        for (qsizetype i = 0; i < n; ++i)
            for (qsizetype j = 0; j < n; ++j)
                if (sameRow(i, j))
                    rowGrowth[i] = std::max(rowGrowth[i], growth[j]);
        growth = rowGrowth;
        QList<double> shift(n, 0.0);
        QList<qsizetype> order(n);
        for (qsizetype i = 0; i < n; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return band.objects[a].rect.top() < band.objects[b].rect.top();
        });
        double bandGrowth = 0;
        for (qsizetype k = 0; k < n; ++k) {
            const qsizetype i = order[k];
            const QRectF& original = band.objects[i].rect;
            for (qsizetype m = 0; m < k; ++m) {
                const qsizetype j = order[m];
                if (band.objects[j].rect.bottom() <= original.top() + 1e-6)
                    shift[i] = std::max(shift[i], shift[j] + growth[j]);
            }
            PreparedObject& p = objects[i];
            p.rect.translate(0, shift[i]);
            p.rect.setHeight(original.height() + growth[i]);
            bandGrowth = std::max(bandGrowth, original.bottom() + shift[i] + growth[i] - band.height);
        }
        return std::max(0.0, bandGrowth);
    }

    QString resolve(const QString& text, const QString& objectFormat)
    {
        // Every row prints the same texts: split each only once.
        auto it = pieces_.constFind(text);
        if (it == pieces_.cend())
            it = pieces_.insert(text, splitText(text));
        QString out;
        for (const TextPiece& piece : *it)
            out += piece.isExpression ? evaluate(piece.expression, objectFormat) : piece.literal;
        return out;
    }

    // The rows an aggregate of `source` covers: its group inside group bands, else all.
    std::pair<int, int> scope(const QString& key, const DataSource& s) const
    {
        if (inGroupBand_ && group_.source == key)
            return {group_.first, group_.end};
        return {0, s.rowCount()};
    }

    QString evaluate(const Expression& e, const QString& objectFormat)
    {
        const QString format = e.format.isEmpty() ? objectFormat : e.format;
        switch (e.kind) {
        case ExprKind::Invalid:
            error(QStringLiteral("无法识别的表达式: [") + e.text + u']');
            return {};
        case ExprKind::Date:
            return formatValue(now_, format.isEmpty() ? QStringLiteral("yyyy-mm-dd") : format);
        case ExprKind::Time:
            return formatValue(now_, format.isEmpty() ? QStringLiteral("hh:nn:ss") : format);
        case ExprKind::Now:
            return formatValue(now_, format.isEmpty() ? QStringLiteral("yyyy-mm-dd hh:nn:ss") : format);
        case ExprKind::Page:
            return QString::number(out_.pages.size());
        case ExprKind::TotalPages:
            return totalPagesMark;
        case ExprKind::Company:
            return company_;
        case ExprKind::Field:
        case ExprKind::Sum:
        case ExprKind::Count:
            break;
        }
        const DataSource* s = source(e.source);
        if (!s)
            return {};
        const QString key = e.source.toLower();
        if (e.kind == ExprKind::Count) {
            const auto [first, end] = scope(key, *s);
            return formatValue(end - first, format);
        }
        const int column = s->column(e.column);
        if (column < 0) {
            error(QStringLiteral("字段不存在: ") + e.source + QStringLiteral(".\"") + e.column + u'"');
            return {};
        }
        if (e.kind == ExprKind::Field)
            return formatValue(s->value(current_.value(key, 0), column), format);
        const auto [first, end] = scope(key, *s);
        double sum = 0;
        for (int r = first; r < end; ++r)
            sum += s->value(r, column).toDouble();
        return formatValue(sum, format);
    }

    void resolvePageCount()
    {
        const QString count = QString::number(out_.pages.size());
        for (PreparedPage& p : out_.pages)
            for (PreparedBand& b : p.bands)
                for (PreparedObject& o : b.objects)
                    o.text.replace(totalPagesMark, count);
    }

    struct Group {
        QString source;
        int first = 0;
        int end = 0;
    };

    const ReportTemplate& t_;
    QDateTime now_;
    QString company_;
    QHash<QString, const DataSource*> sources_;
    PreparedReport out_;
    QSet<QString> errorSet_;
    QHash<QString, int> current_;
    QHash<QString, QList<TextPiece>> pieces_;
    Group group_;
    bool inGroupBand_ = false;
    const Band* footer_ = nullptr;
    const Band* columnHeader_ = nullptr;
    bool repeatColumnHeader_ = false;
    double y_ = 0;
    double pageTop_ = 0;
    double bottomLimit_ = 0;
};

}  // namespace

PreparedReport prepareReport(const ReportTemplate& report, const DataSources& sources, const QDateTime& now,
                             const QString& company)
{
    return Layouter(report, sources, now, company).run();
}

}  // namespace mc::reports
