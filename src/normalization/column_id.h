// Column IDs: the property_method_unit names of output columns and charts, split and checked,
// with each property's internal name, unit, print mask, unit factor and valid range.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/null_marker.h"

namespace kavo::normalization {

// The quantity a column's base name stands for, resolved when the ID is parsed so that the
// value engine chooses its computation without comparing texts.
enum class BaseQuantity {
    Depth,
    ConeResistance,
    Exponent,
    SleeveFriction,
    FrictionRatio,
    PorePressure,
    InclinationX,
    InclinationY,
    VerticalStress,
    UnitWeight,
    StrengthRatio,
    Resistance,
    SoilTypeIndex,
    BlowCount,
    ShearWaveVelocity,
    Fines,
    NotComputed,  // a property with no computation (SuFV1, Sue1, CRLe, CSRe, Cc1e1, OCR1, E50p1)
    Unknown,      // no base name
};

// The base quantity of a base name, compared trimmed and in capitals.
BaseQuantity BaseQuantityOf(std::string_view baseName);

// The properties and methods that the value engine tells apart at every depth point, resolved
// when the ID is parsed. A property is compared trimmed and in capitals, a method as written
// (the cone factor "Nk=17" in either case).
enum class ColumnProperty { Other, Qt, Qc, Qc1, Fs, Fs1, Su, Su1, S1, CrrE, N1, Vs1 };
enum class ColumnMethod { Other, ConeFactor, Ucb06, Ucd14, Kavo, Vaski, Rkp, QOverN };

ColumnProperty ColumnPropertyOf(std::string_view property);
ColumnMethod ColumnMethodOf(std::string_view method);

// How a unit-weight method finds the weight, compared in capitals: WT the sounding's weights
// above and below the water table, FILE its profile, KAVO, VASKI and USER the UWT1 chart, any
// other the chart of the column.
enum class UnitWeightMethod { WaterTable, ProfileFile, UnitWeightChart, ColumnChart };
UnitWeightMethod UnitWeightMethodOf(std::string_view method);

// The parts of one parsed column ID. Every text except id, property, method and unit starts
// as the null text; a fresh ColumnSpec{} is the state before a parse.
struct ColumnSpec {
    std::string id;        // the column ID as given
    std::string property;  // first token, as written
    std::string method;    // second token as written; "Basic" or "Math" for measured columns
    std::string unit;      // the unit token as written; may be empty
    std::string key{tools::kNullText};  // property_method, property alone, or "basic"
    std::string reserved{tools::kNullText};
    bool known = false;                        // the property is in the property table
    std::string normalised{tools::kNullText};  // "TRUE" predicted, "FALSE" measured or basic
    std::string outputUnit{tools::kNullText};  // internal unit: "FT", "ATM", "%", "PCF", ...
    std::string baseName{tools::kNullText};    // name under which charts and values are found
    // baseName trimmed and in capitals, as the issue lines and the issue summary name it.
    std::string baseNameUpper{tools::kNullText};
    BaseQuantity base = BaseQuantity::Unknown;            // what baseName stands for
    ColumnProperty propertyKind = ColumnProperty::Other;  // what property stands for
    ColumnMethod methodKind = ColumnMethod::Other;        // what method stands for
    // What method stands for as the method of a unit-weight column.
    UnitWeightMethod unitWeightMethod = UnitWeightMethod::ColumnChart;
    // The cone factor of a ConeFactor method, the number after its "=" ("Nk=17": 17; the null
    // value when no number follows); none when the method has no "=". The value engine checks
    // it at each reading.
    std::optional<float> coneFactor;
    // The slot of the chart that serves the column, when resolved for the run's chart table
    // (ResolveColumnChart); 0: looked up by base name and method at each reading.
    std::int16_t chartSlot = 0;
    std::string mask{tools::kNullText};  // print mask of the output table
    // Internal value divided by factor = value in the column's unit. A column without a unit,
    // or with a unit its property does not list, is written in the internal unit (factor 1).
    float factor = tools::kNull;
    // The valid range, written in the column's unit: the engine tests the value after the
    // division by the factor (a depth column in metres is valid up to 150 m).
    float minimum = tools::kNull;
    float maximum = tools::kNull;
};

// What a parse does with a property the table does not know.
enum class UnknownProperty {
    IsError,          // DataError "EZ360" naming the ID
    LeaveKnownFalse,  // returns the split parts with known = false (the chart loader checks)
};

// Splits a column ID (property, property_rest or property_method_unit), checks it and fills
// the column spec from the property table. Throws DataError "EZ441" (third token not a unit, or
// three or more underscores), "EZ349" (the ID starts with a unit), "EZ312" (an ID ending in
// an underscore), "EZ361" (a depth unit other than FT or M), "EZ362" (the velocity unit
// VCW1) and, with UnknownProperty::IsError, "EZ360" (unknown property). "TSF" counts as
// the unit of a column here, although it is no engineering unit of the unit table.
ColumnSpec ParseColumnId(std::string_view id, UnknownProperty unknown = UnknownProperty::IsError);

// True for a word that may stand as the unit of a column: an engineering unit, or "TSF".
bool IsColumnUnit(std::string_view word);

}  // namespace kavo::normalization
