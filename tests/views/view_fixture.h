#pragma once

#include "model/session.h"
#include "views/frm_print_con.h"
#include "views/frm_printsts.h"
#include "views/label_colour.h"
#include "views/view_targets.h"

#include <QLabel>
#include <QRadioButton>

#include <span>
#include <vector>

// Every target of the views made of plain labels and widgets, plus the two print forms.
struct Views {
    Views()
    {
        EditPanel& e = targets.edit;
        UnitPanel& u = targets.unit;
        for (std::span<QLabel*> labels : std::initializer_list<std::span<QLabel*>>{e.lbWHead, e.lbWData, e.lbWUnit, u.LbHead, u.LbData,
                                          u.LbUnit, targets.status.LbHead, targets.status.LbData, targets.status.LbUnit})
            for (QLabel*& l : labels)
                l = new QLabel(&root);
        for (QWidget** w : {&e.FrMode, &e.LabModeDif, &e.LabModeNor, &e.cmdChangeRange, &e.cmdTagChange, &e.Frame2,
                            &e.FrBurn, &e.cmdDirChange, &e.cmdAvrChange, &e.FrFreq, &e.FrAmbient})
            *w = new QWidget(&root);
        e.OptMode = {new QRadioButton(&root), new QRadioButton(&root)};
        u.Label13 = new QLabel(&root);
        targets.printSts = printSts.targets();
        targets.printCon = printCon.targets();
        targets.calibration = {{new QLabel(&root), new QLabel(&root)}, {new QLabel(&root), new QLabel(&root)}};
    }

    QWidget root;
    frmPrintCon printCon;
    frmPrintsts printSts;
    ViewTargets targets;
    Session session;
    std::vector<CommandStates> states;  // the command states the views asked for
    std::function<void(CommandStates)> setState = [this](CommandStates code) { states.push_back(code); };
};

// A complete 3-wire RTD configuration with live readings.
inline ConfRecord RtdConf()
{
    ConfRecord c;
    c.Serial = "A1234", c.Tag = "TT-101", c.InputName = "Pt100", c.InputCode = 1, c.InputClass = ClassRtd;
    c.Wires = 1, c.BurnOut = 1, c.OutMin = 4, c.OutMax = 20, c.OutDir = 1, c.Freq = 0, c.Mode = 0;
    c.Units = UnitsCelsius, c.AmbUnits = 0, c.Damping = 2.5f, c.RangeMin = -50, c.RangeMax = 150;
    c.Reading = 25.25f, c.MinRead = 19.75f, c.MaxRead = 30.25f, c.AmbRead = 23.5f, c.DispHigh = 150, c.DispLow = -50;
    return c;
}
