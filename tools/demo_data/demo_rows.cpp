#include "demo_rows.h"

#include "demo_data_facts.h"
#include "palette_pages.h"
#include "rng.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

namespace quorvel::demo {
namespace {

using quorvel::tools::Rng;

constexpr int kColumns = 9;
constexpr int kIbmRowsOther = kIbmExtensionRows - 2; // besides the two fact rows
constexpr int kFixedTextRows = 4;                    // the rows whose kanji text is a fact

// What a row is for; only Open rows take the common and the middling element, so that their hit
// counts stay exact.
enum class Kind { Form, Fact, Open };

struct Draft {
    DemoRow row;
    Kind kind = Kind::Open;
    bool fixedCode = false;
    bool fixedText = false;
    bool fixedStrokes = false;
};

std::vector<int> paletteInOrder()
{
    std::vector<int> ids;
    for (int page = 0; page < kPaletteCount; ++page)
        for (const std::int16_t id : paletteIds(page))
            ids.push_back(id);
    return ids;
}

// Elements drawn with a long-tailed popularity, as in a real script.
class ElementPicker {
public:
    ElementPicker(std::vector<int> ids, Rng &rng) : ids_(std::move(ids))
    {
        rng.shuffle(ids_);
        double total = 0;
        for (std::size_t i = 0; i < ids_.size(); ++i) {
            total += 1.0 / (static_cast<double>(i) + 8.0);
            cumulative_.push_back(total);
        }
    }
    int pick(Rng &rng) const
    {
        const double x = rng.uniform() * cumulative_.back();
        const auto at = std::upper_bound(cumulative_.begin(), cumulative_.end(), x) - cumulative_.begin();
        return ids_[std::min(static_cast<std::size_t>(at), ids_.size() - 1)];
    }
    std::vector<int> distinct(Rng &rng, int n, const std::vector<int> &already = {}) const
    {
        std::vector<int> out = already;
        while (static_cast<int>(out.size()) < n + static_cast<int>(already.size())) {
            const int e = pick(rng);
            if (std::find(out.begin(), out.end(), e) == out.end())
                out.push_back(e);
        }
        return out;
    }

private:
    std::vector<int> ids_;
    std::vector<double> cumulative_;
};

bool holds(const DemoRow &row, int element)
{
    return std::find(row.elements.begin(), row.elements.end(), element) != row.elements.end();
}

int strokeWeight(int element)
{
    Rng rng(static_cast<std::uint64_t>(element) * 7919u);
    return 1 + static_cast<int>(rng.next() % 5);
}

// Indices of drafts that pass keep, in a shuffled order.
template <typename Keep>
std::vector<std::size_t> shuffledWhere(const std::vector<Draft> &drafts, Rng &rng, Keep keep)
{
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < drafts.size(); ++i)
        if (keep(drafts[i]))
            out.push_back(i);
    rng.shuffle(out);
    return out;
}

std::vector<std::size_t> take(std::vector<std::size_t> from, int n, const char *what)
{
    if (static_cast<int>(from.size()) < n)
        throw std::runtime_error(std::string("not enough rows for ") + what);
    from.resize(static_cast<std::size_t>(n));
    return from;
}

QString kanjiText(Rng &rng, const std::vector<char16_t> &from, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(from[static_cast<std::size_t>(rng.below(static_cast<int>(from.size())))]);
    return text;
}

class Builder {
public:
    explicit Builder(const Cp932Kanji &kanji)
        : kanji_(kanji), rng_(0x0DE40DA7A5EEDull), palette_(paletteInOrder()), picker_(fillable(), rng_)
    {
    }

    DemoData build()
    {
        addFormRows();
        addFactRows();
        addOpenRows();
        addRepeats();
        addCommonAndMiddling();
        for (Draft &d : drafts_)
            std::sort(d.row.elements.begin(), d.row.elements.end());
        unsortSome();
        assignStrokes();
        assignKanji();
        assignCodes();

        DemoData out;
        for (const Draft &d : drafts_)
            out.rows.push_back(d.row);
        std::sort(out.rows.begin(), out.rows.end(),
                  [](const DemoRow &a, const DemoRow &b) { return a.code < b.code; });
        out.forms = elementRecords();
        out.glyphsWithoutRow.push_back({kFormCodeWithoutRow, {kElementWithFormWithoutRow}});
        return out;
    }

private:
    // The elements random rows are made of: the palette without the elements whose counts are facts.
    std::vector<int> fillable() const
    {
        const std::set<int> facts = {kCommonElement, kMiddlingElement, kRareElement, kElementWithoutHits};
        std::vector<int> ids;
        for (int id : palette_)
            if (facts.count(id) == 0)
                ids.push_back(id);
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    Draft &add(std::vector<int> elements, Kind kind, int code = 0)
    {
        Draft d;
        d.row.elements = std::move(elements);
        d.kind = kind;
        d.row.code = code;
        d.fixedCode = code != 0;
        drafts_.push_back(std::move(d));
        return drafts_.back();
    }

    void addFormRows()
    {
        // The fact elements first, then others; element 1 (the common one) has a form as well.
        formElements_ = {kElementWithTwoForms, kElementWithOneForm, kElementWithFormWithoutRow,
                         kCommonElement};
        std::vector<int> others;
        for (int id : fillable())
            if (std::find(formElements_.begin(), formElements_.end(), id) == formElements_.end())
                others.push_back(id);
        rng_.shuffle(others);
        for (std::size_t i = 0; formElements_.size() < static_cast<std::size_t>(kElementsWithForms); ++i)
            formElements_.push_back(others[i]);
        // The two-form elements: the fact one and the first random ones after the fact elements.
        twoForms_.insert(kElementWithTwoForms);
        for (std::size_t i = 4; twoForms_.size() < static_cast<std::size_t>(kElementsWithTwoForms); ++i)
            twoForms_.insert(formElements_[i]);

        for (int e : formElements_) {
            if (e == kElementWithFormWithoutRow) {
                firstForm_[e] = kFormCodeWithoutRow;
                continue;
            }
            const int firstCode = e == kElementWithTwoForms  ? kTwoFormsFirstCode
                                  : e == kElementWithOneForm ? kOneFormCode
                                                             : 0;
            firstFormRow_[e] = drafts_.size();
            add({e}, Kind::Form, firstCode);
            if (twoForms_.count(e) != 0) {
                secondFormRow_[e] = drafts_.size();
                add(picker_.distinct(rng_, 1, {e}), Kind::Form,
                    e == kElementWithTwoForms ? kTwoFormsSecondCode : 0);
            }
        }
    }

    void addFactRows()
    {
        add(picker_.distinct(rng_, 2, {kRareElement}), Kind::Fact, kRareElementCode);
        Draft &full = add(picker_.distinct(rng_, kColumns), Kind::Fact, kFullRowCode);
        full.row.strokes = kStrokeCountForTyping;
        full.fixedStrokes = true;
        for (int i = 1; i < kFullRows; ++i)
            add(picker_.distinct(rng_, kColumns), Kind::Fact);
        add(randomElements(), Kind::Open, kFormsOfNoEntry[0]);
        add(randomElements(), Kind::Open, kFormsOfNoEntry[1]);
        add(randomElements(), Kind::Open, kLargestCode);
        const std::pair<int, const char16_t *> texts[kFixedTextRows] = {
            {kRowWithoutKanjiCode, u"9999"},
            {kIbmExtensionRowCode, kIbmExtensionRowText},
            {kNecSelectedRowCode, kNecSelectedRowText},
            {kBackslashTrailRowCode, kBackslashTrailRowText}};
        for (const auto &[code, text] : texts) {
            Draft &d = add(randomElements(), Kind::Open, code);
            d.row.kanji = QString::fromUtf16(text);
            d.row.necSelected = code == kNecSelectedRowCode;
            d.fixedText = true;
        }
    }

    std::vector<int> randomElements()
    {
        // Sizes 2..8; nine only where a fact asks for it.
        constexpr int kWeights[] = {24, 32, 22, 11, 6, 3, 2};
        int x = rng_.below(100);
        int n = 2;
        for (int w : kWeights) {
            if (x < w)
                break;
            x -= w;
            ++n;
        }
        return picker_.distinct(rng_, std::min(n, 8));
    }

    void addOpenRows()
    {
        while (drafts_.size() < static_cast<std::size_t>(kRowCount))
            add(randomElements(), Kind::Open);
    }

    // Rows that hold one element twice, as a character with a doubled part does.
    void addRepeats()
    {
        const auto rows = take(
            shuffledWhere(drafts_, rng_,
                          [](const Draft &d) { return d.kind == Kind::Open && d.row.elements.size() <= 6; }),
            kRowsWithRepeatedElement, "repeats");
        for (std::size_t i : rows) {
            auto &elements = drafts_[i].row.elements;
            elements.push_back(
                elements[static_cast<std::size_t>(rng_.below(static_cast<int>(elements.size())))]);
        }
    }

    void addCommonAndMiddling()
    {
        const auto roomy = [](const Draft &d) { return d.kind == Kind::Open && d.row.elements.size() <= 7; };
        int have = 0;
        for (const Draft &d : drafts_)
            have += holds(d.row, kCommonElement) ? 1 : 0;
        for (std::size_t i :
             take(shuffledWhere(drafts_, rng_, roomy), kCommonElementHits - have, "element 1"))
            drafts_[i].row.elements.push_back(kCommonElement);

        const auto both =
            take(shuffledWhere(drafts_, rng_,
                               [&](const Draft &d) { return roomy(d) && holds(d.row, kCommonElement); }),
                 kCommonAndMiddlingHits, "both");
        const auto alone =
            take(shuffledWhere(drafts_, rng_,
                               [&](const Draft &d) { return roomy(d) && !holds(d.row, kCommonElement); }),
                 kMiddlingElementHits - kCommonAndMiddlingHits, "the middling element");
        for (const auto *rows : {&both, &alone})
            for (std::size_t i : *rows)
                drafts_[i].row.elements.push_back(kMiddlingElement);
    }

    void unsortSome()
    {
        const auto rows = take(shuffledWhere(drafts_, rng_,
                                             [](const Draft &d) {
                                                 return d.kind == Kind::Open && !d.fixedCode &&
                                                        d.row.elements.front() != d.row.elements.back();
                                             }),
                               kUnsortedRows, "unsorted rows");
        for (std::size_t k = 0; k < rows.size(); ++k) {
            auto &elements = drafts_[rows[k]].row.elements;
            if (k % 2 == 0)
                std::reverse(elements.begin(), elements.end());
            else
                std::rotate(elements.begin(), elements.begin() + 1, elements.end());
        }
    }

    void assignStrokes()
    {
        for (Draft &d : drafts_) {
            if (d.fixedStrokes)
                continue;
            int sum = 0;
            for (int e : d.row.elements)
                sum += strokeWeight(e);
            sum += rng_.below(3);
            // A lone element may be a one-, two- or three-stroke shape; characters have at least four.
            d.row.strokes = d.row.elements.size() == 1 ? sum : std::clamp(sum, 4, 30);
            if (d.row.elements.size() == kColumns && d.row.strokes == kStrokeCountForTyping)
                d.row.strokes += 2;
        }
        // A few long characters past 30.
        std::vector<std::size_t> outliers = take(shuffledWhere(drafts_, rng_,
                                                               [](const Draft &d) {
                                                                   return d.kind == Kind::Open &&
                                                                          d.row.elements.size() >= 6 &&
                                                                          d.row.elements.size() < 9;
                                                               }),
                                                 3, "stroke outliers");
        const int outlierStrokes[] = {31, 33, 35};
        for (std::size_t k = 0; k < outliers.size(); ++k) {
            drafts_[outliers[k]].row.strokes = outlierStrokes[k];
            drafts_[outliers[k]].fixedStrokes = true;
        }

        // Exactly kStrokeCountForTypingHits rows with a 9999 column have the typed stroke count.
        const auto typingRow = [](const Draft &d) {
            return !d.fixedStrokes && d.row.elements.size() < static_cast<std::size_t>(kColumns);
        };
        int count = 0;
        for (const Draft &d : drafts_)
            count += typingRow(d) && d.row.strokes == kStrokeCountForTyping ? 1 : 0;
        int step = 1;
        for (Draft &d : drafts_) {
            if (count > kStrokeCountForTypingHits && typingRow(d) && d.row.strokes == kStrokeCountForTyping) {
                d.row.strokes += step;
                step = -step;
                --count;
            } else if (count < kStrokeCountForTypingHits && typingRow(d) &&
                       std::abs(d.row.strokes - kStrokeCountForTyping) == 1) {
                d.row.strokes = kStrokeCountForTyping;
                ++count;
            }
        }
        if (count != kStrokeCountForTypingHits)
            throw std::runtime_error("cannot give the typed stroke count its hits");
    }

    void assignKanji()
    {
        const auto openText = [](const Draft &d) { return d.kind != Kind::Fact && !d.fixedText; };
        for (std::size_t i :
             take(shuffledWhere(drafts_, rng_, openText), kRowsWithoutKanji - 1, "rows without kanji")) {
            drafts_[i].row.kanji = QStringLiteral("9999");
            drafts_[i].fixedText = true;
        }
        std::vector<char16_t> necIbm;
        for (const auto &entry : kanji_.necSelected)
            necIbm.push_back(entry.first);
        const auto ibmRows =
            take(shuffledWhere(drafts_, rng_, openText), kIbmRowsOther, "IBM extension rows");
        for (std::size_t k = 0; k < ibmRows.size(); ++k) {
            Draft &d = drafts_[ibmRows[k]];
            // The first rows take kanji that also have NEC-selected codes and are written with them.
            const bool nec = static_cast<int>(k) < kNecSelectedRows - 1;
            d.row.kanji = kanjiText(rng_, nec ? necIbm : kanji_.ibm, rng_.between(1, 2));
            if (rng_.below(2) == 0)
                d.row.kanji += kanjiText(rng_, kanji_.jis, 1);
            d.row.necSelected = nec;
            d.fixedText = true;
        }
        for (Draft &d : drafts_) {
            if (d.fixedText)
                continue;
            const int x = rng_.below(100);
            d.row.kanji = kanjiText(rng_, kanji_.jis, x < 55 ? 1 : x < 90 ? 2 : 3);
        }
    }

    void assignCodes()
    {
        std::set<int> taken = {kFormCodeWithoutRow, kNoEntry};
        int fixedLarge = 0;
        for (const Draft &d : drafts_)
            if (d.fixedCode) {
                if (!taken.insert(d.row.code).second)
                    throw std::runtime_error("a fact code is used twice");
                fixedLarge += d.row.code > 32767 ? 1 : 0;
            }
        const auto draw = [&](int lo, int hi, int n, std::vector<int> &into) {
            while (n > 0) {
                const int code = rng_.between(lo, hi);
                if (taken.insert(code).second) {
                    into.push_back(code);
                    --n;
                }
            }
        };
        const int open = static_cast<int>(
            std::count_if(drafts_.begin(), drafts_.end(), [](const Draft &d) { return !d.fixedCode; }));
        const int large = kRowsWithCodeAbove32767 - fixedLarge;
        std::vector<int> codes;
        draw(32768, kLargestCode - 1, large, codes);
        draw(1, 32767, open - large, codes);
        rng_.shuffle(codes);
        std::size_t next = 0;
        for (Draft &d : drafts_)
            if (!d.fixedCode)
                d.row.code = codes[next++];
    }

    std::vector<ElementRecord> elementRecords() const
    {
        std::vector<ElementRecord> out;
        for (std::size_t i = 0; i < palette_.size(); ++i) {
            const int e = palette_[i];
            // "No form" is written both ways the program accepts.
            const QString none = i % 3 == 0 ? QString() : QStringLiteral("0");
            ElementRecord record{e, none, i % 5 == 1 ? QString() : none};
            if (const auto at = firstForm_.find(e); at != firstForm_.end())
                record.first = QString::number(at->second);
            else if (const auto row = firstFormRow_.find(e); row != firstFormRow_.end())
                record.first = QString::number(drafts_[row->second].row.code);
            if (const auto row = secondFormRow_.find(e); row != secondFormRow_.end())
                record.second = QString::number(drafts_[row->second].row.code);
            out.push_back(record);
        }
        out.push_back({kNoEntry, QString::number(kFormsOfNoEntry[0]), QString::number(kFormsOfNoEntry[1])});
        return out;
    }

    const Cp932Kanji &kanji_;
    Rng rng_;
    std::vector<int> palette_;
    ElementPicker picker_;
    std::vector<Draft> drafts_;
    std::vector<int> formElements_;
    std::set<int> twoForms_;
    std::map<int, int> firstForm_; // form codes without a row
    std::map<int, std::size_t> firstFormRow_;
    std::map<int, std::size_t> secondFormRow_;
};

} // namespace

DemoData buildDemoData(const Cp932Kanji &kanji)
{
    return Builder(kanji).build();
}

} // namespace quorvel::demo
