// Column IDs: the grammar of property_method_unit and the property table behind it.
#include "normalization/column_id.h"

#include <array>
#include <initializer_list>
#include <span>
#include <utility>

#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/number_text.h"
#include "tools/units.h"

namespace kavo::normalization {

namespace {

// One unit a property can be written in. An empty pair code means the factor 1 of the
// internal unit; the range is in the column's unit.
struct UnitEntry {
    std::string_view unit;  // upper case; "" for "any unit"
    std::string_view mask;
    std::string_view pairCode;
    float minimum;
    float maximum;
};

// What a unit not in the list does: most properties fall back to their internal unit; depth
// and velocity name units that no factor can serve.
enum class OtherUnit { InternalUnit, DepthError, VelocityError };

struct PropertyEntry {
    std::initializer_list<std::string_view> names;
    bool normalised;
    std::string_view baseName;  // "" leaves the null text
    std::string_view outputUnit;
    std::string_view method;  // replaces the method when not empty
    std::string_view key;     // replaces the key when not empty
    std::span<const UnitEntry> units;
    OtherUnit otherUnit = OtherUnit::InternalUnit;
};

constexpr UnitEntry kIncl[] = {{"", "##.###", "", -45.0f, 45.0f}};
constexpr UnitEntry kDepth[] = {{"FT", "###.##", "", 0.0f, 500.0f},
                                {"M", "###.###", "FT/M", 0.0f, 150.0f}};
constexpr UnitEntry kQc[] = {{"ATM", "###.###", "", 0.0f, 999.0f},
                             {"TSF", "###.###", "ATM/TSF", 0.0f, 999.0f},
                             {"MPA", "##.####", "ATM/MPA", 0.0f, 99.0f},
                             {"KPA", "######.##", "ATM/KPA", 0.0f, 99999.0f}};
constexpr UnitEntry kFs[] = {{"ATM", "##.###", "", 0.0f, 9.0f},
                             {"TSF", "##.###", "ATM/TSF", 0.0f, 9.0f},
                             {"MPA", "#.####", "ATM/MPA", 0.0f, 99.0f},
                             {"KPA", "####.#", "ATM/KPA", 0.0f, 9999.0f}};
constexpr UnitEntry kFr[] = {{"", "#.###", "", 0.01f, 10.0f}};
constexpr UnitEntry kPressure[] = {{"ATM", "##.####", "", 0.0000001f, 30.0f},
                                   {"TSF", "##.###", "ATM/TSF", 0.0000001f, 30.0f},
                                   {"MPA", "#.####", "ATM/MPA", 0.0000001f, 3.0f},
                                   {"KPA", "####.#", "ATM/KPA", 0.0000001f, 3000.0f},
                                   {"HWFT", "###.#", "ATM/HWATERFEET", 0.0000001f, 400.0f}};
constexpr UnitEntry kCqc[] = {{"", "##.###", "", 0.01f, 1.5f}};
constexpr UnitEntry kIc[] = {{"", "##.###", "", 0.05f, 5.0f}};
constexpr UnitEntry kBlows[] = {{"", "###.#", "", 0.0f, 200.0f}};
// 5000 ft/s is 1524 m/s.
constexpr UnitEntry kVelocity[] = {{"FPS", "#####", "", 0.0f, 5000.0f},
                                   {"FT/SEC", "#####", "", 0.0f, 5000.0f},
                                   {"MPS", "####", "FPS/MPS", 0.0f, 1524.0f},
                                   {"M/SEC", "####", "FPS/MPS", 0.0f, 1524.0f}};
constexpr UnitEntry kRatio[] = {{"", "##.###", "", 0.0f, 0.99f}};
constexpr UnitEntry kStrengthRatio[] = {{"", "##.###", "", 0.0f, 100.0f}};
constexpr UnitEntry kStrength[] = {{"PSF", "######", "", 0.0f, 40000.0f},
                                   {"ATM", "##.###", "PSF/ATM", 0.0f, 30.0f},
                                   {"MPA", "##.####", "PSF/MPA", 0.0f, 2.0f},
                                   {"KPA", "#####.#", "PSF/KPA", 0.0f, 2000.0f}};
constexpr UnitEntry kUnitWeight[] = {{"PCF", "###.#", "", 63.0f, 154.0f},
                                     {"W1", "#.###", "PCF/WATER1", 1.01f, 1.4f}};
constexpr UnitEntry kFines[] = {{"", "###.#", "", 0.0f, 101.0f}};
constexpr UnitEntry kCompression[] = {{"", "#.######", "", 0.0f, 11.0f}};
constexpr UnitEntry kOcr[] = {{"", "##.###", "", 1.0f, 50.0f}};
constexpr UnitEntry kModulus[] = {{"", "#######", "", 0.0f, 2000.0f}};

// The properties in upper case. The first unit entry without a pair code is the internal
// unit.
const std::array<PropertyEntry, 27> kProperties = {{
    {{"INCLX"}, false, "INCLX", "Deg", "", "", kIncl},
    {{"INCLY"}, false, "INCLY", "Deg", "", "", kIncl},
    {{"DEPTH"}, false, "DEPTH", "FT", "Basic", "basic", kDepth, OtherUnit::DepthError},
    {{"QC", "QC1", "QT"}, false, "Qc1", "ATM", "", "basic", kQc},
    {{"FS", "FS1"}, false, "Fs1", "ATM", "Basic", "", kFs},
    {{"FR", "RF"}, false, "FR", "%", "", "basic", kFr},
    {{"U2", "PM"}, false, "U2", "ATM", "Basic", "basic", kPressure},
    {{"VES"}, false, "VES", "ATM", "Math", "basic", kPressure},
    {{"CQC"}, true, "cQc", "", "", "", kCqc},
    {{"IC"}, true, "Ic", "", "", "", kIc},
    {{"N", "N1"}, true, "N1", "BPF", "", "", kBlows},
    {{"VS", "VS1"}, true, "Vs1", "FPS", "", "", kVelocity, OtherUnit::VelocityError},
    {{"CRR", "CRRE"}, true, "CRRe", "", "", "", kRatio},
    {{"CRL"}, true, "CRLe", "", "", "", kRatio},
    {{"CSR"}, true, "CSRe", "", "", "", kRatio},
    {{"S1", "SU1"}, true, "S1", "", "", "", kStrengthRatio},
    {{"SUFV1"}, true, "SuFV1", "", "", "", kStrengthRatio},
    {{"SUE1"}, true, "Sue1", "", "", "", kStrengthRatio},
    {{"S", "SU"}, true, "S1", "PSF", "", "", kStrength},
    {{"SUFV"}, true, "SuFV1", "PSF", "", "", kStrength},
    {{"SUE"}, true, "Sue1", "PSF", "", "", kStrength},
    {{"SUES"}, true, "", "PSF", "", "", kStrength},
    {{"UWT", "UWT1"}, true, "UWT1", "PCF", "", "", kUnitWeight},
    {{"P200S", "P200S1"}, true, "p200s1", "%", "", "", kFines},
    {{"CC1E1", "CC1E"}, true, "Cc1e1", "", "", "", kCompression},
    {{"OCR"}, true, "OCR1", "", "", "", kOcr},
    {{"E50P1"}, true, "E50p1", "", "", "", kModulus},
}};

struct BaseName {
    std::string_view upper;
    BaseQuantity base;
};

constexpr BaseName kBaseNames[] = {
    {"DEPTH", BaseQuantity::Depth},           {"QC1", BaseQuantity::ConeResistance},
    {"CQC", BaseQuantity::Exponent},          {"FS1", BaseQuantity::SleeveFriction},
    {"FR", BaseQuantity::FrictionRatio},      {"U2", BaseQuantity::PorePressure},
    {"INCLX", BaseQuantity::InclinationX},    {"INCLY", BaseQuantity::InclinationY},
    {"VES", BaseQuantity::VerticalStress},    {"UWT1", BaseQuantity::UnitWeight},
    {"S1", BaseQuantity::StrengthRatio},      {"CRRE", BaseQuantity::Resistance},
    {"IC", BaseQuantity::SoilTypeIndex},      {"N1", BaseQuantity::BlowCount},
    {"VS1", BaseQuantity::ShearWaveVelocity}, {"P200S1", BaseQuantity::Fines},
    {"SUFV1", BaseQuantity::NotComputed},     {"SUE1", BaseQuantity::NotComputed},
    {"CRLE", BaseQuantity::NotComputed},      {"CSRE", BaseQuantity::NotComputed},
    {"CC1E1", BaseQuantity::NotComputed},     {"OCR1", BaseQuantity::NotComputed},
    {"E50P1", BaseQuantity::NotComputed},
};
const PropertyEntry* FindProperty(std::string_view upperName) {
    for (const PropertyEntry& entry : kProperties) {
        for (std::string_view name : entry.names) {
            if (name == upperName) {
                return &entry;
            }
        }
    }
    return nullptr;
}

// The unit entry for the column's unit: the listed one, "any unit", or the internal unit.
const UnitEntry& ChooseUnit(const PropertyEntry& property, const std::string& upperUnit,
                            std::string_view id) {
    const UnitEntry* internal = nullptr;
    for (const UnitEntry& entry : property.units) {
        if (entry.unit.empty() || entry.unit == upperUnit) {
            return entry;
        }
        if (internal == nullptr && entry.pairCode.empty()) {
            internal = &entry;
        }
    }
    if (!upperUnit.empty() && property.otherUnit == OtherUnit::DepthError) {
        throw tools::DataError("EZ361", "a depth column is written in FT or M, not " + upperUnit +
                                            " ---> " + std::string(id));
    }
    if (!upperUnit.empty() && property.otherUnit == OtherUnit::VelocityError) {
        throw tools::DataError(
            "EZ362", "a velocity column is written in FPS, FT/SEC, MPS or M/SEC, not " + upperUnit +
                         " ---> " + std::string(id));
    }
    if (!upperUnit.empty()) {
        // A unit the property cannot be written in would print internal units under its
        // heading: refuse it rather than mislabel every value of the column.
        std::string listed;
        for (const UnitEntry& entry : property.units) {
            listed += (listed.empty() ? "" : ", ") + std::string(entry.unit);
        }
        throw tools::DataError("EZ363", "the unit " + upperUnit + " is not one of " + listed +
                                            " for this property ---> " + std::string(id));
    }
    return *internal;
}

}  // namespace

ColumnProperty ColumnPropertyOf(std::string_view property) {
    static constexpr std::pair<std::string_view, ColumnProperty> kProperties[] = {
        {"QT", ColumnProperty::Qt},   {"QC", ColumnProperty::Qc},   {"QC1", ColumnProperty::Qc1},
        {"FS", ColumnProperty::Fs},   {"FS1", ColumnProperty::Fs1}, {"SU", ColumnProperty::Su},
        {"SU1", ColumnProperty::Su1}, {"S1", ColumnProperty::S1},   {"CRRE", ColumnProperty::CrrE},
        {"N1", ColumnProperty::N1},   {"VS1", ColumnProperty::Vs1},
    };
    const std::string upper = tools::UpperCopy(tools::Trim(property));
    for (const auto& [name, kind] : kProperties) {
        if (name == upper) {
            return kind;
        }
    }
    return ColumnProperty::Other;
}

ColumnMethod ColumnMethodOf(std::string_view method) {
    if (method.size() >= 2 && tools::UpperCopy(method.substr(0, 2)) == "NK") {
        return ColumnMethod::ConeFactor;
    }
    if (method == "UCB06") {
        return ColumnMethod::Ucb06;
    }
    if (method == "UCD14") {
        return ColumnMethod::Ucd14;
    }
    if (method == "KAVO") {
        return ColumnMethod::Kavo;
    }
    if (method == "VASKI") {
        return ColumnMethod::Vaski;
    }
    if (method == "RKP") {
        return ColumnMethod::Rkp;
    }
    if (method == "QT/N" || method == "QC/N") {
        return ColumnMethod::QOverN;
    }
    return ColumnMethod::Other;
}

UnitWeightMethod UnitWeightMethodOf(std::string_view method) {
    const std::string upper = tools::UpperCopy(method);
    if (upper == "WT") {
        return UnitWeightMethod::WaterTable;
    }
    if (upper == "FILE") {
        return UnitWeightMethod::ProfileFile;
    }
    if (upper == "KAVO" || upper == "VASKI" || upper == "USER") {
        return UnitWeightMethod::UnitWeightChart;
    }
    return UnitWeightMethod::ColumnChart;
}

// The number after the "=" of a cone-factor method ("Nk=17"); none without an "=".
std::optional<float> ConeFactorOf(std::string_view method) {
    const std::size_t equals = method.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return tools::NumberOrNull(method.substr(equals + 1));
}

BaseQuantity BaseQuantityOf(std::string_view baseName) {
    const std::string upper = tools::UpperCopy(tools::Trim(baseName));
    for (const BaseName& name : kBaseNames) {
        if (name.upper == upper) {
            return name.base;
        }
    }
    return BaseQuantity::Unknown;
}

bool IsColumnUnit(std::string_view word) {
    return tools::IsEngineeringUnit(word) || tools::UpperCopy(word) == "TSF";
}

ColumnSpec ParseColumnId(std::string_view id, UnknownProperty unknown) {
    ColumnSpec spec;
    spec.id = std::string(id);

    std::array<std::string_view, 3> tokens{};
    std::size_t underscores = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= id.size(); ++i) {
        if (i == id.size() || id[i] == '_') {
            if (underscores < tokens.size()) {
                tokens[underscores] = id.substr(start, i - start);
            }
            if (i < id.size()) {
                ++underscores;
            }
            start = i + 1;
        }
    }
    if (underscores >= 3) {
        throw tools::DataError("EZ441", "There can not be uuu_xxx_yyy_zzz in " + spec.id);
    }
    spec.property = std::string(tokens[0]);
    if (underscores == 1) {
        if (IsColumnUnit(tokens[1])) {
            spec.unit = std::string(tokens[1]);
        } else {
            spec.method = std::string(tokens[1]);
        }
    } else if (underscores == 2) {
        if (!IsColumnUnit(tokens[2])) {
            throw tools::DataError("EZ441",
                                   "zzz in xxx_yyy_zzz is not an engineering unit ---> " + spec.id);
        }
        spec.method = std::string(tokens[1]);
        spec.unit = std::string(tokens[2]);
    }

    if (IsColumnUnit(spec.property)) {
        throw tools::DataError("EZ349", "units found at start of " + spec.id);
    }
    if (IsColumnUnit(spec.method)) {
        spec.unit = spec.method;
        spec.method.clear();
    } else if (underscores > 0 && spec.method.empty() && !IsColumnUnit(spec.unit)) {
        throw tools::DataError("EZ312", "there needs to be a method in " + spec.id);
    }
    spec.key = spec.method.empty() ? spec.property : spec.property + "_" + spec.method;

    const PropertyEntry* property = FindProperty(tools::UpperCopy(tools::Trim(spec.property)));
    if (property == nullptr) {
        if (unknown == UnknownProperty::IsError) {
            throw tools::DataError("EZ360", "the property " + spec.property +
                                                " is not known, in column ID ---> " + spec.id);
        }
        return spec;
    }
    spec.known = true;
    spec.normalised = property->normalised ? "TRUE" : "FALSE";
    if (!property->baseName.empty()) {
        spec.baseName = std::string(property->baseName);
    }
    spec.outputUnit = std::string(property->outputUnit);
    if (!property->method.empty()) {
        spec.method = std::string(property->method);
    }
    if (!property->key.empty()) {
        spec.key = std::string(property->key);
    }
    spec.baseNameUpper = tools::UpperCopy(tools::Trim(spec.baseName));
    spec.base = BaseQuantityOf(spec.baseName);
    spec.propertyKind = ColumnPropertyOf(spec.property);
    spec.methodKind = ColumnMethodOf(spec.method);
    if (spec.methodKind == ColumnMethod::ConeFactor) {
        spec.coneFactor = ConeFactorOf(spec.method);
    }
    spec.unitWeightMethod = UnitWeightMethodOf(spec.method);
    const UnitEntry& unit = ChooseUnit(*property, tools::UpperCopy(spec.unit), id);
    spec.mask = std::string(unit.mask);
    spec.factor = unit.pairCode.empty() ? 1.0f : tools::UnitFactor(unit.pairCode);
    spec.minimum = unit.minimum;
    spec.maximum = unit.maximum;
    return spec;
}

}  // namespace kavo::normalization
