#include "history/compared_conf.h"

#include "model/conf_files.h"
#include "model/session.h"

#include <QFileInfo>

namespace {

FieldFilter heldByBoth(const ComparedConf& a, const ComparedConf& b)
{
    const bool fileOnly = a.fileOnly || b.fileOnly;
    return [fileOnly](const ConfField& field) { return field.inConfFile || !fileOnly; };
}

} // namespace

std::vector<FieldComparison> CompareConfs(const ComparedConf& a, const ComparedConf& b)
{
    return CompareFields(a.conf, b.conf, heldByBoth(a, b));
}

std::vector<FieldComparison> ConfDifferences(const ComparedConf& a, const ComparedConf& b)
{
    return FieldDifferences(a.conf, b.conf, heldByBoth(a, b));
}

std::optional<ComparedConf> ConfFromFile(const QString& path, const Catalogue& catalogue, Operator& op)
{
    Session scratch;
    if (!ReadConfFile(scratch, catalogue, path, op))
        return std::nullopt;
    return ComparedConf{QFileInfo(path).fileName(), scratch.EditConf, true};
}
