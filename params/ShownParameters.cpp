#include "params/ShownParameters.h"

#include "base/NumberText.h"
#include "params/ParameterFields.h"

ParameterSet ShownParameters::AsShown(const ParameterSet& set) {
    ParameterSet shown = set;
    for (const ParameterField& field : ParameterFields::All()) {
        for (float& value : field.Floats(shown)) {
            value = NumberText::ParseFloat(NumberText::Widen(NumberText::FormatFixed(value, 1)));
        }
    }
    return shown;
}

ParameterSet ShownParameters::WithoutView(const ParameterSet& set) {
    ParameterSet content = set;
    for (int32_t ParameterSet::*channel :
         {&ParameterSet::Channel, &ParameterSet::EQChannel, &ParameterSet::EQ1Channel,
          &ParameterSet::DrcChannel, &ParameterSet::LimitChannel}) {
        content.*channel = 0;
    }
    return content;
}
