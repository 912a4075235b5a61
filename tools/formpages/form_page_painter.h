#pragma once
// Draws one E1 form page from the form model: paper, heading bands,
// captions, code numbers and box frames.
#include <QImage>

namespace kestrana {

class FormModel;
struct Edition;

// Height of a page picture kFormPictureWidth wide (the A4 proportion).
int FormPictureHeight();

// Page 1..4 rendered kFormPictureWidth dots wide.
QImage RenderFormPage(const FormModel& model, const Edition& edition, int page);

}  // namespace kestrana
