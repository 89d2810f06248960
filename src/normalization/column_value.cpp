// The column value engine: measured values, equations and chart readings for every column.
#include "normalization/column_value.h"

#include <bit>
#include <cmath>
#include <string>

#include "charts/chart_lookup.h"
#include "normalization/crr_equations.h"
#include "normalization/missing_math.h"
#include "normalization/unit_weight.h"
#include "tools/errors.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"
#include "tools/units.h"

namespace kavo::normalization {
namespace {

[[noreturn]] void NotComputed(const ColumnSpec& column, std::string_view why) {
    throw tools::DataError("QM457",
                           "column " + column.id + " can not be computed: " + std::string(why));
}

// Q recomputed with the point's final exponent, kept within 1..1000.
float NormalisedConeResistance(const DepthPoint& point) {
    if (IsMissingValue(point.exponentC) || point.exponentC < 0.0f) {
        return tools::kNull;
    }
    const double power =
        std::pow(static_cast<double>(point.ves), static_cast<double>(point.exponentC));
    if (power == 0.0) {
        throw tools::DataError("VES342", "VES^c = 0 in Normalization");
    }
    float q = static_cast<float>(static_cast<double>(point.qt) / power);
    if (q < 1.0f) {
        q = 1.0f;
    }
    if (q > 1000.0f) {
        q = 1000.0f;
    }
    return q;
}

float FrictionValue(const ColumnSpec& column, const DepthPoint& point) {
    if (column.propertyKind == ColumnProperty::Fs) {
        return point.fs;
    }
    if (column.propertyKind == ColumnProperty::Fs1) {
        return point.fs1;
    }
    return tools::kNull;
}

float ConeValue(const ColumnSpec& column, const DepthPoint& point) {
    if (column.propertyKind == ColumnProperty::Qt) {
        return point.qt;
    }
    if (column.propertyKind == ColumnProperty::Qc) {
        return point.qc;
    }
    if (column.propertyKind == ColumnProperty::Qc1) {
        return NormalisedConeResistance(point);
    }
    return tools::kNull;
}

// The unit table's psf per atm, looked up once: the strength columns take it at every reading.
float PsfPerAtm() {
    static const float factor = tools::UnitFactor("PSF/ATM");
    return factor;
}

// Undrained shear strength: by a cone factor written as the method ("Nk=17"), Su = (qt - total
// vertical stress) / Nk in atm, or read off the strength-ratio chart as a ratio to VES. SU1 is
// the ratio Su / VES, SU the strength in psf.
float StrengthValue(const NormalisationContext& context, const ColumnSpec& column,
                    const DepthPoint& point) {
    float value = tools::kNull;
    // The cone factor is taken in either case: the error text itself shows it as "Nk=17". It
    // was read when the column ID was parsed; a bad one stops the sounding here, at its first
    // reading, as the other columns' data errors do.
    if (column.methodKind == ColumnMethod::ConeFactor) {
        if (!column.coneFactor.has_value()) {
            throw tools::DataError("NK123", "SU Nk method must have the form of Nk=17");
        }
        const float nk = *column.coneFactor;
        if (!(nk >= 10.0f && nk <= 21.0f)) {
            throw tools::DataError("NK019", "NK must be reasonable, not " + tools::SingleText(nk));
        }
        const float totalStress = TotalVerticalStress(point, context.sounding.waterTableDepth);
        const float netResistance = IsMissingValue(totalStress) || IsMissingValue(point.qt)
                                        ? tools::kNull
                                        : point.qt - totalStress;
        const float su = DivideMissing(netResistance, nk);
        if (column.propertyKind == ColumnProperty::Su1) {
            value = DivideMissing(su, point.ves);
        } else if (column.propertyKind == ColumnProperty::Su) {
            value = MultiplyMissing(su, PsfPerAtm());
        }
    } else {
        const float ratio = ColumnChartValue(context, column, point);
        if (column.propertyKind == ColumnProperty::Su1 ||
            column.propertyKind == ColumnProperty::S1) {
            value = ratio;
        } else if (column.propertyKind == ColumnProperty::Su) {
            value = MultiplyMissing(MultiplyMissing(ratio, point.ves), PsfPerAtm());
        }
    }
    if (column.propertyKind == ColumnProperty::Su1) {
        value = LimitToRange(value, 0.05f, 1000.0f);
    } else if (column.propertyKind == ColumnProperty::Su) {
        value = LimitToRange(value, 100.0f, 2000000.0f);
    }
    return value;
}

float ResistanceValue(const NormalisationContext& context, const ColumnSpec& column,
                      const DepthPoint& point) {
    if (column.propertyKind != ColumnProperty::CrrE) {
        NotComputed(column, "CRR is given as CRRe (no magnitude scaling is defined)");
    }
    if (column.methodKind == ColumnMethod::Ucb06) {
        return CrrByUcb06(point.qc1, point.frictionRatio);
    }
    if (column.methodKind == ColumnMethod::Ucd14) {
        return CrrByUcd14(point.qc1, point.frictionRatio);
    }
    if (column.methodKind == ColumnMethod::Kavo) {
        return ChartValueAtPoint(context, context.charts.required.CRRe, point);
    }
    return ColumnChartValue(context, column, point);
}

// The soil behaviour type index from its equation, Ic = ((3.47 - log10 Q)^2 + (log10 FR +
// 1.22)^2)^0.5 (Robertson & Wride 1998); missing where Q or FR is missing or not positive.
float SoilTypeIndexByEquation(const DepthPoint& point) {
    if (IsMissingValue(point.qc1) || IsMissingValue(point.frictionRatio) || point.qc1 <= 0.0f ||
        point.frictionRatio <= 0.0f) {
        return tools::kNull;
    }
    const double q = 3.47 - std::log10(static_cast<double>(point.qc1));
    const double f = std::log10(static_cast<double>(point.frictionRatio)) + 1.22;
    return static_cast<float>(std::sqrt(q * q + f * f));
}

// VASKI reads the soil type chart, RKP the equation; a fixed number stood here before and
// printed one soil type for every depth.
float SoilTypeIndexValue(const NormalisationContext& context, const ColumnSpec& column,
                         const DepthPoint& point) {
    if (column.methodKind == ColumnMethod::Vaski) {
        return ChartValueAtPoint(context, context.charts.required.Ic, point);
    }
    if (column.methodKind == ColumnMethod::Rkp) {
        return SoilTypeIndexByEquation(point);
    }
    return ColumnChartValue(context, column, point);
}

float BlowCountValue(const NormalisationContext& context, const ColumnSpec& column,
                     const DepthPoint& point) {
    if (column.propertyKind != ColumnProperty::N1) {
        NotComputed(column, "N is given as N1 (no stress scaling is defined)");
    }
    if (column.methodKind == ColumnMethod::Vaski || column.methodKind == ColumnMethod::Kavo) {
        return ChartValueAtPoint(context, context.charts.required.N1, point);
    }
    if (column.methodKind == ColumnMethod::QOverN) {
        return DivideMissing(point.qc1, 4.5f);
    }
    if (column.methodKind == ColumnMethod::Rkp) {
        // (N1)60 = Q / 10^(1.1268 - 0.2817 Ic) (Robertson 2012), with the equation's Ic.
        const float ic = SoilTypeIndexByEquation(point);
        if (IsMissingValue(ic)) {
            return tools::kNull;
        }
        return static_cast<float>(static_cast<double>(point.qc1) /
                                  std::pow(10.0, 1.1268 - 0.2817 * static_cast<double>(ic)));
    }
    return ColumnChartValue(context, column, point);
}

// Vs1 off its chart; Vs = Vs1 x VES^0.25 with VES in atm.
float VelocityValue(const NormalisationContext& context, const ColumnSpec& column,
                    const DepthPoint& point) {
    const float normalised = ColumnChartValue(context, column, point);
    if (column.propertyKind == ColumnProperty::Vs1) {
        return normalised;
    }
    if (IsMissingValue(normalised) || IsMissingValue(point.ves) || point.ves < 0.0f) {
        return tools::kNull;
    }
    return static_cast<float>(static_cast<double>(normalised) *
                              std::pow(static_cast<double>(point.ves), 0.25));
}

float InternalValue(const NormalisationContext& context, const ColumnSpec& column,
                    const DepthPoint& point) {
    switch (column.base) {
        case BaseQuantity::Depth:
            return point.depth;
        case BaseQuantity::ConeResistance:
            return ConeValue(column, point);
        case BaseQuantity::Exponent:
            if (column.methodKind == ColumnMethod::Rkp) {
                return 0.6f;
            }
            return NormalisationExponentFor(context, column, point);
        case BaseQuantity::SleeveFriction:
            return FrictionValue(column, point);
        case BaseQuantity::FrictionRatio:
            return point.frictionRatio;
        case BaseQuantity::PorePressure:
            return point.u2;
        case BaseQuantity::InclinationX:
            return point.inclinationX;
        case BaseQuantity::InclinationY:
            return point.inclinationY;
        case BaseQuantity::VerticalStress:
            return point.ves;
        case BaseQuantity::UnitWeight:
            return UnitWeightAtDepth(context, point, column);
        case BaseQuantity::StrengthRatio:
            return StrengthValue(context, column, point);
        case BaseQuantity::Resistance:
            return ResistanceValue(context, column, point);
        case BaseQuantity::SoilTypeIndex:
            return SoilTypeIndexValue(context, column, point);
        case BaseQuantity::BlowCount:
            return BlowCountValue(context, column, point);
        case BaseQuantity::ShearWaveVelocity:
            return VelocityValue(context, column, point);
        case BaseQuantity::Fines:
            return ColumnChartValue(context, column, point);
        case BaseQuantity::NotComputed:
            NotComputed(column, "no computation is defined for " + column.baseName);
        case BaseQuantity::Unknown:
            break;
    }
    throw tools::DataError("QM456", "ID=" + column.baseNameUpper + " is bad");
}

}  // namespace

float ChartValueAtPoint(const charts::ChartTable& charts, std::int16_t chart,
                        const DepthPoint& point) {
    float fr = point.frictionRatio;
    float q = point.qc1;
    float value = tools::kNull;
    charts::LookupChart(fr, q, value, charts, chart);
    return value;
}

float ChartValueAtPoint(const NormalisationContext& context, std::int16_t chart,
                        const DepthPoint& point) {
    if (chart < 1 || chart > context.charts.count) {
        return ChartValueAtPoint(context.charts, chart, point);  // reports the slot
    }
    ChartReading& last = context.lastReadings[static_cast<std::size_t>(chart)];
    const std::uint32_t frBits = std::bit_cast<std::uint32_t>(point.frictionRatio);
    const std::uint32_t qc1Bits = std::bit_cast<std::uint32_t>(point.qc1);
    if (!last.valid || last.frBits != frBits || last.qc1Bits != qc1Bits) {
        last = {true, frBits, qc1Bits, ChartValueAtPoint(context.charts, chart, point)};
    }
    return last.value;
}

float ColumnChartValue(const NormalisationContext& context, const ColumnSpec& column,
                       const DepthPoint& point) {
    const std::int16_t chart =
        column.chartSlot != 0
            ? column.chartSlot
            : charts::FindChartIndex(context.charts, column.baseName, column.method);
    return ChartValueAtPoint(context, chart, point);
}

float NormalisationExponentFor(const NormalisationContext& context, const ColumnSpec& column,
                               const DepthPoint& point) {
    switch (context.mode) {
        case NormalisationMode::Vaski:
            return ChartValueAtPoint(context, context.charts.required.cQc, point);
        case NormalisationMode::VaskiStressFocus:
            return 0.222222f;
        case NormalisationMode::Robertson:
            return 1.0f;
        case NormalisationMode::NoneChosen:
            break;
    }
    return ColumnChartValue(context, column, point);
}

ColumnOutcome ComputeColumnValue(const NormalisationContext& context, const ColumnSpec& column,
                                 const DepthPoint& point) {
    float value = InternalValue(context, column, point);
    if (value != tools::kNull) {
        value = value / column.factor;
    }
    // The range is written in the column's unit, so it is tested after the conversion.
    if (value < column.minimum || !(value <= column.maximum)) {
        return ColumnOutcome{tools::kNull, true, value};
    }
    return ColumnOutcome{value, false, tools::kNull};
}

std::string OutOfRangeText(const ColumnSpec& column, float tested) {
    return "out of range --- " + column.baseNameUpper + " of " + tools::SingleText(tested) +
           " outside of the range ( " + tools::SingleText(column.minimum);
}

}  // namespace kavo::normalization
