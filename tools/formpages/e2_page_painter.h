#pragma once
// Draws one E2 form page from the E2 form model: paper, title and heading
// bands, column heads, the tables' grid and the box frames.
#include <QImage>
#include <string>
#include <vector>

namespace kestrana {

class E2Form;

// Height of a page picture kE2PictureWidth wide (the A4 landscape proportion).
int E2PictureHeight();

// Page 1..2 rendered kE2PictureWidth dots wide. Texts too long for their
// place even when shrunk are cut with an ellipsis and listed in `cutTexts`.
QImage RenderE2Page(const E2Form& form, int page, std::vector<std::string>* cutTexts = nullptr);

}  // namespace kestrana
