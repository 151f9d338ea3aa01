// The scale a jpg is decoded at for the size it is shown at.
#pragma once

// The jpg decoder scales inside its inverse DCT by 1/1, 1/2, 1/4 or 1/8,
// giving ceil(width / n) x ceil(height / n) pixels far faster than the whole
// picture. The result is n, the largest of 1, 2, 4 and 8 whose output is still
// at least `shownWidth` x `shownHeight` on both sides, so the area-averaging
// shrink that follows only ever makes the picture smaller.
int JpegScaleDenominator(int width, int height, int shownWidth, int shownHeight);
