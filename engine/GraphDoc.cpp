#include "GraphDoc.h"

#include "CheckedArithmetic.h"

namespace {

struct TTextInfo {
  const char* name;
  int capacity;
  const char* initial;
};

constexpr TTextInfo TextInfo[GraphTextCount] = {
    {"Name", 32, "Untitled"},   {"Note", 512, ""},
    {"Func1Text", 256, "u"},    {"Func2Text", 256, "v"},      {"Func3Text", 256, ""},
    {"UMinText", 128, "0"},     {"UMaxText", 128, "6.28"},    {"UDivText", 128, "0.08"},
    {"VMinText", 128, "0"},     {"VMaxText", 128, "3.14"},    {"VDivText", 128, "0.08"},
    {"TMinText", 128, "0"},     {"TMaxText", 128, "6.28"},
    {"XMinText", 128, "-3"},    {"XMaxText", 128, "3"},       {"XGridText", 128, "1"},
    {"YMinText", 128, "-3"},    {"YMaxText", 128, "3"},       {"YGridText", 128, "1"},
    {"EyeXText", 128, "13"},    {"EyeYText", 128, "14"},      {"EyeZText", 128, "12"},
    {"ViewDirXText", 128, "0"}, {"ViewDirYText", 128, "0"},   {"ViewDirZText", 128, "0"},
    {"ViewUpXText", 128, "0"},  {"ViewUpYText", 128, "0"},    {"ViewUpZText", 128, "0"},
    {"LightXText", 128, "1"},   {"LightYText", 128, "21"},    {"LightZText", 128, "20"},
};

// The value of one text at (0, 0, t); a text that does not compile or fails to evaluate is 0.
// Floating-point exceptions of its arithmetic reach the caller.
long double TextValue(TExpression& scratch, const std::string& text, long double t) {
  scratch.Compile(text);
  return scratch.Valid() ? scratch.Evaluate(0, 0, t) : 0;
}

}  // namespace

int GraphTextCapacity(TGraphText text) { return TextInfo[text].capacity; }

const char* GraphTextName(TGraphText text) { return TextInfo[text].name; }

TGraphDoc::TGraphDoc() {
  for (int i = 0; i < GraphTextCount; ++i) texts_[i] = TextInfo[i].initial;
}

bool TGraphDoc::SetText(TGraphText text, std::string_view value) {
  if (value.size() >= static_cast<size_t>(GraphTextCapacity(text))) return false;
  texts_[text] = value;
  return true;
}

void TGraphDoc::EvaluateAt(double t) {
  TExpression scratch;
  const auto at = [&](TGraphText text, long double parameter) {
    return TextValue(scratch, texts_[text], parameter);
  };
  UMin = at(gtUMin, t);
  UMax = at(gtUMax, t);
  UStep = CheckedDivide(CheckedSubtract(UMax, UMin), at(gtUDiv, t));
  VMin = at(gtVMin, t);
  VMax = at(gtVMax, t);
  VStep = CheckedDivide(CheckedSubtract(VMax, VMin), at(gtVDiv, t));
  TMin = at(gtTMin, 0);  // the parameter range never depends on t
  TMax = at(gtTMax, 0);
  XMin = at(gtXMin, t);
  XMax = at(gtXMax, t);
  XGrid = at(gtXGrid, t);
  YMin = at(gtYMin, t);
  YMax = at(gtYMax, t);
  YGrid = at(gtYGrid, t);
  TVector3* const vectors[] = {&Eye, &ViewDir, &ViewUp, &Light};
  int text = gtEyeX;
  for (TVector3* v : vectors) {
    v->x = CheckedNarrow(at(static_cast<TGraphText>(text++), t));
    v->y = CheckedNarrow(at(static_cast<TGraphText>(text++), t));
    v->z = CheckedNarrow(at(static_cast<TGraphText>(text++), t));
  }
}

bool TGraphDoc::ViewDependsOnT() const {
  // The grid spacing, the viewing direction, the up vector and the light are not consulted:
  // only the eye and the window decide whether the camera must follow t.
  TExpression scratch;
  for (TGraphText text : {gtEyeX, gtEyeY, gtEyeZ, gtXMin, gtXMax, gtYMin, gtYMax}) {
    scratch.Compile(texts_[text]);
    if (scratch.Valid() && scratch.DependsOnT()) return true;
  }
  return false;
}
