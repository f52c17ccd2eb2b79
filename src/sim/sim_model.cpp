#include "sim/sim_model.h"

#include <array>

namespace doxa::sim {

namespace {

struct Entry {
    Model model;
    std::string_view name;
    ModelTraits traits;
};

// Type byte 6 stands for the 21 series: anything but 5, 10 and 11 is taken as one of them.
constexpr std::array<Entry, 8> Models{{
    {Model::Doxa22, "DOXA-22", {5, 0x02, false, false, false, 1, 0, 150}},
    {Model::Rivo22, "RIVO-22", {5, 0x91, false, true, false, 1, 0, 150}},
    {Model::Sawe01, "SAWE-01", {10, 0x01, false, false, false, 1, 0, 150}},
    {Model::Sawe01Rtd, "SAWE-01-RTD", {11, 0x01, true, false, false, 1, 0, 150}},
    {Model::Doxa21R, "DOXA-21-R", {6, 0x01, false, false, false, 1, 0, 150}},
    {Model::Rivo21R, "RIVO-21-R", {6, 0x11, false, true, false, 1, 0, 150}},
    {Model::Doxa21U, "DOXA-21-U", {6, 0x81, false, false, true, 4, 0, 600}},
    {Model::Rivo21U, "RIVO-21-U", {6, 0x91, false, true, true, 4, 0, 600}},
}};

constexpr std::array<Model, 8> ModelList{Model::Doxa22,  Model::Rivo22,  Model::Sawe01,
                                         Model::Sawe01Rtd, Model::Doxa21R, Model::Rivo21R,
                                         Model::Doxa21U, Model::Rivo21U};

const Entry& entry(Model model) { return Models[static_cast<std::size_t>(model)]; }

}  // namespace

std::optional<Model> modelFromName(std::string_view name) {
    for (const Entry& e : Models)
        if (e.name == name) return e.model;
    return std::nullopt;
}

std::string_view modelName(Model model) { return entry(model).name; }

std::span<const Model> allModels() { return ModelList; }

const ModelTraits& modelTraits(Model model) { return entry(model).traits; }

bool canBeOldGeneration(Model model) { return !modelTraits(model).rivo; }

}  // namespace doxa::sim
