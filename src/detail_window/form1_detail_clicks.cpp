// Placeholder until the detail window lands: the clicks do nothing yet.
#include "form1.h"

namespace quorvel {

void Form1::Image2_Click(std::int16_t) {}
void Form1::Image4_Click(std::int16_t) {}

} // namespace quorvel
