// FrmSobre: the About box: the program's name in a framed picture and a
// button that closes it.
#pragma once

#include "CommandButton.h"
#include "Form.h"
#include "Label.h"
#include "PictureBox.h"

class FrmSobre : public hv::forms::Form {
public:
    FrmSobre();

    hv::forms::PictureBox* Picture1 = nullptr;  // owned by the form
    hv::forms::Label* LblPrograma = nullptr;    // owned by the form
    hv::forms::CommandButton* Command1 = nullptr;  // owned by the form

    void Command1_Click();

protected:
    void CreateControls() override;
};
