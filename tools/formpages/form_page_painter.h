#pragma once
// Draws one E1 form page from the form model: paper, heading bands,
// captions, code numbers and box frames.
#include <QImage>
#include <string>
#include <vector>

namespace kestrana {

class FormModel;
struct Edition;

// Height of a page picture kFormPictureWidth wide (the A4 proportion).
int FormPictureHeight();

// Page 1..4 rendered kFormPictureWidth dots wide. Texts too long for their
// place even when shrunk are cut with an ellipsis and listed in `cutTexts`.
QImage RenderFormPage(const FormModel& model, const Edition& edition, int page,
                      std::vector<std::string>* cutTexts = nullptr);

}  // namespace kestrana
