#include "utils/pinyin.h"

#include "utils/gbk.h"

#include <array>

namespace mc {

namespace {

#include "utils/pinyintable.inc"

constexpr int kTrails = 0xFF - 0x40;  // trails 0x40-0xFE per lead byte
static_assert(kCodeCount == (0xFF - 0x81) * kTrails);

bool isAsciiLetterOrDigit(char32_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Row 0xA2 holds numbered list signs; entry t - 0xA1 is the number they show.
const std::array<QString, 94>& numberedSigns()
{
    static const std::array<QString, 94> table = [] {
        std::array<QString, 94> t;
        const auto fill = [&t](int firstTrail, int count) {
            for (int i = 0; i < count; ++i)
                t[static_cast<size_t>(firstTrail - 0xA1 + i)] = QString::number(i + 1);
        };
        fill(0xA1, 10);  // small roman numerals i-x
        fill(0xB1, 20);  // 1. - 20.
        fill(0xC5, 20);  // (1) - (20)
        fill(0xD9, 10);  // circled 1 - 10
        fill(0xE5, 10);  // parenthesised ideographs one - ten
        fill(0xF1, 12);  // roman numerals I - XII
        return t;
    }();
    return table;
}

// Latin transcription of the 24 Greek letters, upper case at 0xA1, lower case at 0xC1.
const char* greek(unsigned char trail)
{
    static constexpr const char* letters[24] = {"A", "B", "G", "D", "E", "Z", "E", "TH",
                                                "I", "K", "L", "M", "N", "X", "O", "P",
                                                "R", "S", "T", "U", "PH", "KH", "PS", "O"};
    if (trail >= 0xA1 && trail <= 0xB8)
        return letters[trail - 0xA1];
    if (trail >= 0xC1 && trail <= 0xD8)
        return letters[trail - 0xC1];
    return "";
}

class PinyinWriter {
public:
    explicit PinyinWriter(int flags) : flags_(flags) {}

    void add(QStringView character)
    {
        const QByteArray gbk = charToGbk(character);
        if (gbk.size() == 2)
            addDoubleByte(static_cast<unsigned char>(gbk[0]), static_cast<unsigned char>(gbk[1]));
        else if (gbk.size() == 1)
            addOther(character.toString().toUpper(), static_cast<unsigned char>(gbk[0]));
        else
            unknown();
    }

    QString result() const { return out_; }

private:
    void addOther(const QString& text, char32_t code)
    {
        if (isAsciiLetterOrDigit(code) || (flags_ & PinyinKeepOther))
            out_ += text;
    }

    void unknown()
    {
        if (flags_ & PinyinUnknown)
            out_ += u'?';
    }

    void addDoubleByte(unsigned char lead, unsigned char trail)
    {
        switch (lead) {
        case 0xA2:
            if (trail >= 0xA1)
                out_ += numberedSigns()[trail - 0xA1];
            else
                unknown();
            return;
        case 0xA3:
            // Full-width ASCII keeps its letter case.
            if (trail >= 0xA1)
                addOther(QChar(trail - 0x80), trail - 0x80);
            else
                unknown();
            return;
        case 0xA6:
            out_ += QLatin1String(greek(trail));
            return;
        default:
            break;
        }
        const QString syllable = gbkReading(lead, trail);
        if (syllable.isEmpty())
            unknown();
        else
            out_ += (flags_ & PinyinWhole) ? syllable.toUpper() : syllable.left(1).toUpper();
    }

    int flags_;
    QString out_;
};

}  // namespace

QString gbkReading(unsigned char lead, unsigned char trail)
{
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE)
        return {};
    const int entry = kReadings[(lead - 0x81) * kTrails + (trail - 0x40)];
    return entry ? QString::fromLatin1(kSyllables[entry]) : QString();
}

int pinyinSyllableCount()
{
    return kSyllableCount;
}

QString getpy(const QString& text, int flags, int maxlength)
{
    if (flags < 0 || maxlength <= 0)
        return {};
    PinyinWriter writer(flags);
    forEachCharacter(text, [&writer](QStringView c) { writer.add(c); });
    return writer.result().left(maxlength);
}

}  // namespace mc
