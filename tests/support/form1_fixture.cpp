#include "form1_fixture.h"

#include <QComboBox>

namespace quorvel::test {

DecompositionRecord row(std::int32_t code, std::initializer_list<std::int32_t> elements, std::int16_t strokes,
                        const QString &kanji)
{
    DecompositionRecord r;
    r.code = code;
    std::size_t i = 0;
    for (std::int32_t e : elements)
        r.elements.at(i++) = e;
    r.strokes = strokes;
    r.kanji = kanji;
    return r;
}

FailureRecorder::FailureRecorder()
    : previous_(setFailureHandler([this](const RuntimeFailure &failure) { failure_ = failure; }))
{
}

FailureRecorder::~FailureRecorder()
{
    setFailureHandler(previous_);
}

LookupFixture::LookupFixture(const std::map<int, DecompositionRecord> &rows, const QStringList &forms,
                             bool glyphs)
{
    QList<std::int32_t> codes;
    writeDecomposition([&](int r) -> std::optional<DecompositionRecord> {
        const auto it = rows.find(r);
        if (it != rows.end()) {
            codes << it->second.code;
            return it->second;
        }
        DecompositionRecord filler = fillerRecord(r);
        filler.strokes = 99;
        return filler;
    });
    writeElementForms(forms);
    if (glyphs)
        writeGlyphs(codes);
}

std::optional<RuntimeFailure> LookupFixture::start()
{
    form_ = std::make_unique<Form1>();
    return failureOf([this] { form_->Form_Load(); });
}

ImageControl &LookupFixture::image(const QString &name) const
{
    auto *control = form_->findChild<ImageControl *>(name);
    if (control == nullptr)
        qFatal("no image control %s", qPrintable(name));
    return *control;
}

QWidget &LookupFixture::widget(const QString &name) const
{
    auto *w = form_->findChild<QWidget *>(name);
    if (w == nullptr)
        qFatal("no control %s", qPrintable(name));
    return *w;
}

QString LookupFixture::caption(const QString &labelName) const
{
    return static_cast<QLabel &>(widget(labelName)).text();
}

QList<std::int32_t> LookupFixture::shownCodes() const
{
    QList<std::int32_t> codes;
    for (int k = 1; k <= 100; ++k) {
        const ImageControl &cell = image(QStringLiteral("Image2(%1)").arg(k));
        if (!cell.isVisible())
            break;
        codes << codeShownBy(cell.picture());
    }
    return codes;
}

int LookupFixture::visibleCells() const
{
    int n = 0;
    for (int k = 1; k <= 100; ++k)
        n += image(QStringLiteral("Image2(%1)").arg(k)).isVisible() ? 1 : 0;
    return n;
}

void LookupFixture::clickElement(int id) const
{
    ImageControl &element = image(QStringLiteral("Image1(%1)").arg(id));
    ImageHost *page = element.host();
    QTest::mouseClick(page, Qt::LeftButton, {}, element.geometry().center() + page->clientOrigin());
}

} // namespace quorvel::test
