// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form1.h"

#include "core/clock.h"
#include "core/conversions.h"
#include "engine/answer_check.h"
#include "engine/countdown.h"
#include "engine/key_filter.h"
#include "toolkit/message_box.h"
#include "toolkit/program.h"
#include "window/accessibility.h"
#include "window/fraction_display.h"
#include "window/pupil_dialog.h"
#include "window/run_time_looks.h"

namespace window {

namespace {

constexpr const char* kAuthor = "Автором данной программы является Квирен, aka Дорлис";
constexpr const char* kThanksFirstLine = "Большое спасибо Ольтиму за поддержку и помощь";
constexpr const char* kThanksSecondLine = "Лирвене за идею, доброту и помощь в устранении ошибок.";

} // namespace

Form1::Form1(core::RandomSource& random, TestReport report, TestTaker taker)
    : w_(BuildMainWindowLayout()), random_(random), report_(std::move(report)),
      taker_(std::move(taker))
{
    w_.Command1.OnClick([this] { Command1_Click(); });
    w_.Command2.OnClick([this] { Command2_Click(); });
    w_.Timer1.OnTimer([this] { Timer1_Timer(); });
    for (int row = 0; row < engine::kRowCount; ++row) {
        w_.Cz(row).OnKeyPress([this, row](core::Int16& keyCode) { Cz_KeyPress(row, keyCode); });
        for (TextBox* box : {&w_.Cw(row), &w_.Ct(row), &w_.Cz(row)}) {
            box->OnChange([this] { AnswerBox_Change(); });
        }
    }
    w_.Autmn.OnClick([this] { Autmn_Click(); });
    w_.sp.OnClick([this] { sp_Click(); });
    w_.ExMn.OnClick([this] { ExMn_Click(); });
    Form_Load();
}

void Form1::Show()
{
    w_.Window->Show();
    w_.Command1.SetFocus();
}

void Form1::Form_Load()
{
    secondsAllowed_ = engine::kTestSeconds;
    SecondsLeft = secondsAllowed_;
    random_.Reseed(core::SecondsSinceMidnight());
    PlaceFractionBars(w_);
}

void Form1::Command1_Click()
{
    std::optional<PupilChoice> choice;
    if (taker_.Ask != AskWho::Nobody) {
        choice = AskWhoTakesTheTest(taker_.Ask,
                                    taker_.Classes ? taker_.Classes() : std::vector<RosterClass>{});
        if (!choice) {
            // «Отмена»: back to the start, as if the button had not been pressed.
            w_.Command1.SetFocus();
            return;
        }
    }
    if (taker_.Begin) {
        secondsAllowed_ = engine::TestSecondsFrom(taker_.Begin(choice));
        SecondsLeft = secondsAllowed_;
    }
    w_.Timer1.SetInterval(engine::kTickMilliseconds);
    engine::GenerateTasks(TaskOps, random_,
                          [this](core::Int16 row, engine::Fraction& f, engine::ExercisePart part) {
                              ShowFraction(w_, row, f, GroupOf(part));
                          });
    DescribeRows(w_, TaskOps);
    w_.Frame1.SetVisible(true);
    w_.Command1.SetVisible(false);
    w_.TL.SetVisible(true);
    w_.TL.SetCaption(ToTime(SecondsLeft));
    w_.Label1.SetVisible(true);
    w_.Command2.SetVisible(true);
    ReportAttempt(engine::AttemptEnd::Running);
}

void Form1::Command2_Click()
{
    FillEmptyAnswerBoxes();
    CheckAllAnswers();
    ReportAttempt(engine::AttemptEnd::HandedIn);
    toolkit::MsgBox("Ваша оценка " + GradeText, toolkit::MsgBoxStyle::Information,
                    "Результат теста");
    w_.Timer1.SetInterval(0);
    w_.Frame2.SetVisible(true);
}

void Form1::Timer1_Timer()
{
    const engine::TickDecision tick = engine::CountdownTick(SecondsLeft);
    if (tick.Announcement) {
        // First thing in the tick, so that «Время вышло» is heard before its message box opens.
        AnnounceTimeLeft(w_, *tick.Announcement);
    }
    if (tick.TimedOut) {
        // Deliberate: the same defaults as at hand-in. The pupil was told to leave the boxes
        // empty for a whole number, and a later hand-in must give the same mark.
        FillEmptyAnswerBoxes();
        CheckAllAnswers();
        ReportAttempt(engine::AttemptEnd::TimedOut);
        toolkit::MsgBox("Время вышло. Ваша оценка " + GradeText, toolkit::MsgBoxStyle::NoIcon);
        w_.Timer1.SetInterval(0);
    } else {
        ReportAttempt(engine::AttemptEnd::Running);
    }
    if (tick.Blink) {
        w_.TL.SetForeColor(BlinkColour(*tick.Blink));
    }
    w_.TL.SetCaption(ToTime(SecondsLeft));
}

void Form1::FillEmptyAnswerBoxes()
{
    if (!typedAsLeft_) {
        typedAsLeft_.emplace();
        for (int row = 0; row < engine::kRowCount; ++row) {
            typedAsLeft_->at(row) = {w_.Cw(row).Text(), w_.Ct(row).Text(), w_.Cz(row).Text()};
        }
    }
    for (int row = 0; row < engine::kRowCount; ++row) {
        if (w_.Ct(row).Text().empty()) {
            w_.Ct(row).SetText(engine::kEmptyNumeratorText);
        }
        if (w_.Cz(row).Text().empty()) {
            w_.Cz(row).SetText(engine::kEmptyDenominatorText);
        }
        if (w_.Cw(row).Text().empty()) {
            w_.Cw(row).SetText(engine::kEmptyWholeText);
        }
    }
}

void Form1::Cz_KeyPress(int /*index*/, core::Int16& keyCode)
{
    keyCode = engine::FilterDigitKey(keyCode);
}

void Form1::CheckAllAnswers()
{
    engine::TestTexts texts;
    for (int row = 0; row < engine::kRowCount; ++row) {
        texts[row] = RowTextsOf(w_, row);
    }
    const engine::Marking marking = engine::MarkAnswers(texts, TaskOps);
    for (int row = 0; row < engine::kRowCount; ++row) {
        const VerdictLook& verdict = VerdictFor(marking.Right[row]);
        w_.Result(row).SetCaption(verdict.Caption);
        w_.Result(row).SetForeColor(verdict.ForeColor);
    }

    GradeText = marking.GradeText;
    w_.RA.SetCaption(core::Int16ToText(marking.RightCount));
    w_.NR.SetCaption(core::Int16ToText(marking.WrongCount()));
    w_.Mrk.SetCaption(marking.MarkText());
    for (Label* shown : {&w_.Mrk, &w_.RA, &w_.NR, &w_.Label5, &w_.Label6}) {
        shown->SetVisible(true);
    }
    for (int row = 0; row < engine::kRowCount; ++row) {
        w_.Ct(row).SetEnabled(false);
        w_.Cw(row).SetEnabled(false);
        w_.Cz(row).SetEnabled(false);
    }
    DescribeRows(w_, TaskOps);
}

std::string Form1::ToTime(core::Int16 seconds)
{
    return engine::ToTime(seconds);
}

void Form1::AnswerBox_Change()
{
    // Only a running test's answers are news; the check locks the boxes anyway.
    if (w_.Timer1.Interval() > 0 && GradeText.empty()) {
        ReportAttempt(engine::AttemptEnd::Running);
    }
}

void Form1::ReportAttempt(engine::AttemptEnd end)
{
    if (report_) {
        engine::AttemptRecord record =
            RecordOfAttempt(w_, TaskOps, secondsAllowed_, SecondsLeft, GradeText, end);
        if (typedAsLeft_) {
            // The journal keeps what was typed: a box left empty stays empty there, although
            // the window shows its default.
            for (int row = 0; row < engine::kRowCount; ++row) {
                record.Rows.at(row).Typed = typedAsLeft_->at(row);
            }
        }
        report_(record);
    }
}

void Form1::Autmn_Click()
{
    toolkit::MsgBox(kAuthor, toolkit::MsgBoxStyle::Information, "Автор");
}

void Form1::sp_Click()
{
    toolkit::MsgBox(std::string(kThanksFirstLine) + core::CharFromCode(10) + kThanksSecondLine,
                    toolkit::MsgBoxStyle::Information, " ");
}

void Form1::ExMn_Click()
{
    toolkit::EndProgram();
}

} // namespace window
