#pragma once

#include <cstdint>

class Stage;

// Shared layout procedures that patterns call.
namespace Layout {

// Stacks three rows of question/answer pairs above the baseline vvY, centred
// on CX: row 1 answer-question (labels 0), row 2 question-answer (labels 1),
// row 3 answer-question (labels 2). The row height is the taller of question
// and answer label 0. Uses QX(1), QY(1), FX(1), FY(1) and QX(2) as scratch.
void AstVc(Stage& stage, int16_t vvY);

// The point iEg steps of pIch along the way from qQx to fFx, rounded down.
// The distance times the step is formed in 16 bits.
double sEgFx(int16_t qQx, int16_t fFx, int16_t iEg, int16_t pIch);

}  // namespace Layout
