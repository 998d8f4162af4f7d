// Positions and sizes come in twips, 1440 to the inch: pixels at the system's DPI.
#pragma once

namespace horaloom {

int systemDpi();
int twipsToPixels(double twips);
double pixelsToTwips(int pixels);

} // namespace horaloom
