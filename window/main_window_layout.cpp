// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window_layout.h"

#include "engine/task_generator.h"
#include "window/accessibility.h"

#include <array>
#include <string>
#include <vector>

namespace window {

using toolkit::Alignment;
using toolkit::Border;
using toolkit::ControlSpec;
using toolkit::FontSpec;
using toolkit::Geometry;
using toolkit::LabelSpec;

namespace {

// Deliberate: the instructions spell "расчитано" and the title "Умноженния" exactly so; the
// window's texts are meant to read this way.
constexpr const char* kInstructions =
    "Всего заданий 10, каждое представляет собой умножение либо деление обыкновенных дробей. "
    "Ответы следует вводить в белые поля. Для ввода целых чисел оставляйте поля ввода числителя "
    "и знаменателя пустыми. Не забывайте сокращать дроби и выделять целую часть. Задание "
    "расчитано на 10 минут. Для начала тестирования нажмите кнопку \"Начать тест\".";

std::string Indexed(const char* name, int index)
{
    return std::string(name) + "(" + std::to_string(index) + ")";
}

int RowTop(int top, int row)
{
    return top + kRowPitch * row;
}

// A row of fraction labels: the whole part, the numerator and the denominator of one group.
void AddFractionGroup(toolkit::Container frame, int row, const char* prefix, int wholeLeft,
                      int fractionLeft, ControlArray<Label>& whole, ControlArray<Label>& numerator,
                      ControlArray<Label>& denominator)
{
    const std::string w = std::string(prefix) + "w";
    const std::string t = std::string(prefix) + "t";
    const std::string z = std::string(prefix) + "z";
    whole.Add(frame.AddLabel({Indexed(w.c_str(), row),
                              {wholeLeft, RowTop(480, row), 375, 255},
                              "---",
                              Alignment::Centre}));
    numerator.Add(frame.AddLabel({Indexed(t.c_str(), row),
                                  {fractionLeft, RowTop(360, row), 375, 255},
                                  "---",
                                  Alignment::Centre}));
    denominator.Add(frame.AddLabel({Indexed(z.c_str(), row),
                                    {fractionLeft, RowTop(600, row), 375, 255},
                                    "---",
                                    Alignment::Centre}));
}

// Which dot element marks each row's sign: Shape1's element (or -1) and Shape2's (or -1). The
// elements are not in row order; the pairing is deliberate and belongs to the window.
struct RowDots {
    int shape1;
    int shape2;
};
constexpr std::array<RowDots, engine::kRowCount> kRowDots = {{
    {3, -1}, // 0: one dot
    {2, 2},  // 1: two dots
    {0, 0},  // 2
    {-1, 3}, // 3: one dot
    {1, 1},  // 4
    {4, 4},  // 5
    {5, 5},  // 6
    {-1, 6}, // 7: one dot
    {6, -1}, // 8: one dot
    {7, 7},  // 9
}};

void AddSignDots(toolkit::Container frame, MainWindowLayout& w)
{
    // A multiplication's dot sits at 600 + 600 r; a division's two at 480 + 600 r and below.
    std::array<int, 8> shape1Top{};
    std::array<int, 8> shape2Top{};
    for (int row = 0; row < engine::kRowCount; ++row) {
        const RowDots dots = kRowDots[row];
        const bool division = dots.shape1 >= 0 && dots.shape2 >= 0;
        if (division) {
            shape1Top[dots.shape1] = RowTop(480, row);
            shape2Top[dots.shape2] = RowTop(600, row);
        } else if (dots.shape1 >= 0) {
            shape1Top[dots.shape1] = RowTop(600, row);
        } else {
            shape2Top[dots.shape2] = RowTop(600, row);
        }
    }
    for (int i = 0; i < 8; ++i) {
        w.Shape1.Add(frame.AddCircle({Indexed("Shape1", i), {1440, shape1Top[i], 75, 75}, ""}));
    }
    for (int i = 0; i < 8; ++i) {
        w.Shape2.Add(frame.AddCircle({Indexed("Shape2", i), {1440, shape2Top[i], 75, 75}, ""}));
    }
}

} // namespace

MainWindowLayout BuildMainWindowLayout()
{
    MainWindowLayout w;
    w.Window = std::make_unique<toolkit::Form>(kTitle, kClientWidth, kClientHeight);
    // Drawn at build time from the installed SVG, one picture per size (window/CMakeLists.txt).
    constexpr std::array kIconSizes{FRACTION_TEST_ICON_SIZES};
    std::vector<std::string> iconPictures;
    iconPictures.reserve(kIconSizes.size());
    for (const int size : kIconSizes) {
        iconPictures.push_back(":/icons/fraction-test-" + std::to_string(size) + ".png");
    }
    w.Window->SetIcon(iconPictures);
    toolkit::Container form = w.Window->Client();

    w.mn = w.Window->AddMenu("mn", "Меню");
    w.sp = w.mn.AddItem("sp", "Благодарности");
    w.Autmn = w.mn.AddItem("Autmn", "Автор");
    w.ExMn = w.mn.AddItem("ExMn", "Выход");

    w.Label4 = form.AddLabel({"Label4", {240, 480, 7095, 1095}, kInstructions});
    w.Label1 = form.AddLabel({"Label1",
                              {240, 1680, 1575, 375},
                              "Осталось времени",
                              Alignment::Centre,
                              Border::Single,
                              false});
    w.TL = form.AddLabel({"TL",
                          {1800, 1680, 1215, 375},
                          "00:00:00",
                          Alignment::Left,
                          Border::Single,
                          false,
                          FontSpec{"Arial", 12}});
    w.Command1 = form.AddCommandButton({"Command1", {2760, 1800, 1455, 375}, "Начать тест"});
    w.Command2 = form.AddCommandButton({"Command2", {6600, 1800, 1095, 255}, "Готово!", false});
    w.Frame1 = form.AddFrame({"Frame1", {240, 2160, 6255, 6375}, "Задания", false});
    w.Frame2 = form.AddFrame({"Frame2", {6600, 2160, 1095, 6375}, "Ответы", false});
    w.Label5 = form.AddLabel({"Label5",
                              {240, 8640, 1815, 255},
                              "Правильных ответов",
                              Alignment::Left,
                              Border::None,
                              false});
    w.Label6 = form.AddLabel({"Label6",
                              {2160, 8640, 1815, 255},
                              "Неправильных ответов",
                              Alignment::Left,
                              Border::None,
                              false});
    w.RA = form.AddLabel({"RA", {240, 9000, 1695, 255}, "", Alignment::Centre});
    w.NR = form.AddLabel({"NR", {2160, 9000, 1815, 255}, "", Alignment::Centre});
    w.Mrk = form.AddLabel({"Mrk",
                           {6960, 8520, 615, 735},
                           "2",
                           Alignment::Left,
                           Border::None,
                           false,
                           FontSpec{"Monotype Corsiva", 36, false, true}});
    w.Timer1 = w.Window->AddTimer("Timer1");

    // The exercises. Labels first, then the dots and the bars in front of them, the answer
    // boxes in front of everything.
    toolkit::Container exercises = w.Frame1.Contents();
    const FontSpec boldWindowFont{toolkit::WindowFont().Family, 8.25, true};
    for (int row = 0; row < engine::kRowCount; ++row) {
        AddFractionGroup(exercises, row, "A", 240, 720, w.Aw, w.At, w.Az);
        AddFractionGroup(exercises, row, "B", 1800, 2280, w.Bw, w.Bt, w.Bz);
        w.Label3.Add(exercises.AddLabel({Indexed("Label3", row),
                                         {2760, RowTop(480, row), 255, 255},
                                         "=",
                                         Alignment::Centre,
                                         Border::None,
                                         true,
                                         boldWindowFont}));
        w.Result.Add(exercises.AddLabel({Indexed("Result", row),
                                         {4440, RowTop(480, row), 1455, 255},
                                         "",
                                         Alignment::Left,
                                         Border::Single}));
    }
    AddSignDots(exercises, w);

    toolkit::Container answers = w.Frame2.Contents();
    for (int row = 0; row < engine::kRowCount; ++row) {
        AddFractionGroup(answers, row, "D", 120, 600, w.Dw, w.Dt, w.Dz);
    }
    w.Line1.Add(answers.AddLine(Indexed("Line1", 0), false));
    for (int bar = 1; bar < kBarCount; ++bar) {
        toolkit::Container frame = bar <= 20 ? exercises : answers;
        w.Line1.Add(frame.AddLine(Indexed("Line1", bar), false));
    }

    for (int row = 0; row < engine::kRowCount; ++row) {
        // Deliberate: Ct(0) is the one box off its row's rule, at 330 rather than 360; the
        // window is meant to be laid out so.
        const int numeratorTop = row == 0 ? 330 : RowTop(360, row);
        w.Cw.Add(
            exercises.AddTextBox({Indexed("Cw", row), {3120, RowTop(480, row), 375, 285}, ""}));
        w.Ct.Add(exercises.AddTextBox({Indexed("Ct", row), {3600, numeratorTop, 375, 285}, ""}));
        w.Cz.Add(
            exercises.AddTextBox({Indexed("Cz", row), {3600, RowTop(600, row), 375, 285}, ""}));
        const std::string task = "Задание " + std::to_string(row + 1) + ", ";
        w.Cw(row).SetAccessibleName(task + "целая часть");
        w.Ct(row).SetAccessibleName(task + "числитель");
        w.Cz(row).SetAccessibleName(task + "знаменатель");
    }

    // Focus order: the start button, the answer boxes row by row (whole part, numerator,
    // denominator), the hand-in button.
    std::vector<toolkit::Control> focusOrder{w.Command1};
    for (int row = 0; row < engine::kRowCount; ++row) {
        focusOrder.insert(focusOrder.end(), {w.Cw(row), w.Ct(row), w.Cz(row)});
    }
    focusOrder.push_back(w.Command2);
    toolkit::SetFocusOrder(focusOrder);
    ArrangeForScreenReaders(w);
    return w;
}

} // namespace window
