#include "model/session.h"

#include "model/catalogue.h"

void InitConfData(Session& s)
{
    ResetConf(s.EditConf);
    ResetConf(s.UnitConf);
    s.view.ConfDiffers = false;
}

void EditFromUnit(Session& s)
{
    s.EditConf = s.UnitConf;
}

void CommitUnitConf(Session& s)
{
    s.UnitConf = s.EditConf;
}

bool LookupInputCodeWithDisplay(Session& s, const Catalogue& catalogue, ConfRecord& record, std::uint8_t code)
{
    if (!IsSensorCode(catalogue, code)) {
        s.EditConf.DispHigh = s.UnitConf.DispHigh;
        s.EditConf.DispLow = s.UnitConf.DispLow;
    }
    return LookupInputCode(catalogue, record, code);
}

QString RecordFolder(const Session& s)
{
    return s.RecordDir.isEmpty() ? s.AppDir : s.RecordDir;
}
