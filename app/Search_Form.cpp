#include "Search_Form.h"

TSearchForm* SearchForm = nullptr;

TSearchForm::TSearchForm(TComponent* owner) : TForm(owner) {
  SetCaption("SearchForm");
  SetBounds(Left(), Top(), 769, 466);
  SetPosition(poScreenCenter);
}

TSearchForm::~TSearchForm() = default;
