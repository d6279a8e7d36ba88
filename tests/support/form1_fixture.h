#pragma once

#include "data_fixture.h"
#include "form1.h"
#include "image_control.h"
#include "runtime_failure.h"

#include <QLabel>
#include <QTest>

#include <initializer_list>
#include <map>
#include <memory>

namespace quorvel::test {

// A character row for a fixture: its code, element ids (the rest NoEntry) and stroke count.
DecompositionRecord row(std::int32_t code, std::initializer_list<std::int32_t> elements,
                        std::int16_t strokes = 10, const QString &kanji = QStringLiteral("9999"));

// Catches the failure path for as long as it lives, instead of ending the process.
class FailureRecorder {
public:
    FailureRecorder();
    ~FailureRecorder();
    const std::optional<RuntimeFailure> &failure() const { return failure_; }

private:
    std::optional<RuntimeFailure> failure_;
    FailureHandler previous_;
};

// Data files in a temporary current directory and a lookup window started on them. Rows not given
// are fillers: code 100000 + r, no elements, 99 strokes.
class LookupFixture : public DataFixture {
public:
    explicit LookupFixture(const std::map<int, DecompositionRecord> &rows = {},
                           const QStringList &forms = {QStringLiteral("9999,0,0")}, bool glyphs = true);

    // Creates the window and runs its start-up; returns the failure when start-up failed.
    std::optional<RuntimeFailure> start();
    Form1 &form() { return *form_; }

    ImageControl &image(const QString &name) const;
    QWidget &widget(const QString &name) const;
    QString caption(const QString &labelName) const;
    QString status() const { return caption(QStringLiteral("LabelComment")); }
    // The codes shown by the visible result cells, cell 1 first; stops at the first hidden cell.
    QList<std::int32_t> shownCodes() const;
    int visibleCells() const;
    // Clicks the centre of a palette element with the mouse, through its page.
    void clickElement(int id) const;

private:
    std::unique_ptr<Form1> form_;
};

} // namespace quorvel::test
