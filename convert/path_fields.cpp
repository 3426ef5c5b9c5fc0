#include "convert/path_fields.h"

#include "convert/conversion.h"

namespace zonora {
namespace {

using Conversion = ConversionOutcome (*)(const ConversionPaths&, ConversionServices&);
using Clear = void (PathFields::*)();

// The destination's field is cleared first.
ConversionOutcome overFields(PathFields& fields, ConversionServices& services, Conversion convert,
                             Clear first, Clear second) {
    const ConversionOutcome outcome = convert({fields.mapPath(), fields.pdbPath()}, services);
    if (outcome.converted()) {
        (fields.*first)();
        (fields.*second)();
    }
    return outcome;
}

}  // namespace

ConversionOutcome PdbToMap(PathFields& fields, ConversionServices& services) {
    return overFields(fields, services, PdbToMap, &PathFields::clearMap, &PathFields::clearPdb);
}

ConversionOutcome MapToPdb(PathFields& fields, ConversionServices& services) {
    return overFields(fields, services, MapToPdb, &PathFields::clearPdb, &PathFields::clearMap);
}

}  // namespace zonora
