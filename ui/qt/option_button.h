#pragma once

#include <QRadioButton>

namespace zonora {

// A direction button that stays a tab stop of its own. Qt makes a group of
// radio buttons a single tab stop once one of them has had the focus; the
// window's tab order lists each direction button.
class OptionButton : public QRadioButton {
  public:
    using QRadioButton::QRadioButton;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QRadioButton::focusInEvent(event);
        for (auto* sibling :
             parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly)) {
            sibling->setFocusPolicy(Qt::FocusPolicy(sibling->focusPolicy() | Qt::TabFocus));
        }
    }
};

}  // namespace zonora
