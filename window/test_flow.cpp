#include "window/test_flow.h"

#include "engine/answer_check.h"
#include "engine/countdown.h"
#include "engine/key_filter.h"
#include "toolkit/clock.h"
#include "toolkit/conversions.h"
#include "toolkit/message_box.h"
#include "toolkit/program.h"
#include "window/accessibility.h"
#include "window/fraction_display.h"

namespace window {

namespace {

constexpr const char* kAuthor = "Автором данной программы является Квирен, aka Дорлис";
constexpr const char* kThanksFirstLine = "Большое спасибо Ольтиму за поддержку и помощь";
constexpr const char* kThanksSecondLine = "Лирвене за идею, доброту и помощь в устранении ошибок.";

} // namespace

Form1::Form1(toolkit::RandomSource& random) : w_(BuildMainWindowLayout()), random_(random)
{
    w_.Command1.OnClick([this] { Command1_Click(); });
    w_.Command2.OnClick([this] { Command2_Click(); });
    w_.Timer1.OnTimer([this] { Timer1_Timer(); });
    for (int row = 0; row < engine::kRowCount; ++row) {
        w_.Cz(row).OnKeyPress([this, row](toolkit::Int16& keyCode) { Cz_KeyPress(row, keyCode); });
    }
    w_.Autmn.OnClick([this] { Autmn_Click(); });
    w_.sp.OnClick([this] { sp_Click(); });
    w_.ExMn.OnClick([this] { ExMn_Click(); });
    Form_Load();
}

void Form1::Show()
{
    w_.Form1->Show();
    w_.Command1.SetFocus();
}

void Form1::Form_Load()
{
    SecondsLeft = engine::kTestSeconds;
    random_.Reseed(toolkit::SecondsSinceMidnight());
    PlaceFractionBars(w_);
}

void Form1::Command1_Click()
{
    w_.Timer1.SetInterval(engine::kTickMilliseconds);
    engine::GenerateTasks(TaskOps, random_,
                          [this](toolkit::Int16 row, engine::Fraction& f, std::uint8_t group) {
                              ShowFraction(w_, row, f, group);
                          });
    DescribeRows(w_, TaskOps);
    w_.Frame1.SetVisible(true);
    w_.Command1.SetVisible(false);
    w_.TL.SetVisible(true);
    w_.TL.SetCaption("00:10:00");
    w_.Label1.SetVisible(true);
    w_.Command2.SetVisible(true);
}

void Form1::Command2_Click()
{
    for (int row = 0; row < engine::kRowCount; ++row) {
        if (w_.Ct(row).Text().empty()) {
            w_.Ct(row).SetText("0");
        }
        if (w_.Cz(row).Text().empty()) {
            w_.Cz(row).SetText("1");
        }
        if (w_.Cw(row).Text().empty()) {
            w_.Cw(row).SetText("0");
        }
    }
    CheckAllAnswers();
    toolkit::MsgBox("Ваша оценка " + GradeText, toolkit::kInformation, "Результат теста");
    w_.Timer1.SetInterval(0);
    w_.Frame2.SetVisible(true);
}

void Form1::Timer1_Timer()
{
    const engine::TickDecision tick = engine::CountdownTick(SecondsLeft);
    if (tick.TimedOut) {
        CheckAllAnswers();
        toolkit::MsgBox("Время вышло. Ваша оценка " + GradeText, toolkit::kNoIcon);
        w_.Timer1.SetInterval(0);
    }
    if (tick.ForeColor) {
        w_.TL.SetForeColor(*tick.ForeColor);
    }
    w_.TL.SetCaption(ToTime(SecondsLeft));
}

void Form1::Cz_KeyPress(int, toolkit::Int16& keyCode)
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
        const engine::Verdict& verdict =
            marking.Right[row] ? engine::kRightVerdict : engine::kWrongVerdict;
        w_.Result(row).SetCaption(verdict.Caption);
        w_.Result(row).SetForeColor(verdict.ForeColor);
    }

    GradeText = marking.GradeText;
    w_.RA.SetCaption(toolkit::Int16ToText(marking.RightCount));
    w_.NR.SetCaption(toolkit::Int16ToText(marking.WrongCount()));
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

std::string Form1::ToTime(const toolkit::Int16& seconds) const
{
    return engine::ToTime(seconds);
}

void Form1::Autmn_Click()
{
    toolkit::MsgBox(kAuthor, toolkit::kInformation, "Автор");
}

void Form1::sp_Click()
{
    toolkit::MsgBox(std::string(kThanksFirstLine) + toolkit::CharFromCode(10) + kThanksSecondLine,
                    toolkit::kInformation, " ");
}

void Form1::ExMn_Click()
{
    toolkit::EndProgram();
}

} // namespace window
