// The sky view's heaviest frame, shared by the engine's benchmark and the Qt surface's frame-cost
// tool: grid quality 50, every parallel and meridian (densities 4), the Sun's path over Vienna's
// midsummer day shown, the Sun at 15:30, seen from inside or from outside the sphere.
#pragma once

#include <cmath>

#include "engine/engine.h"
#include "scene3d/sky_model.h"

namespace heliomark {

enum class Pose { Inside, Outside };

inline void PrepareHeaviestScene(SkyModel& model, Settings& settings, Pose pose) {
    settings.GridQuality = 50;
    model.BuildModel(true);
    model.SetParallelsDensity(4);
    model.SetMeridiansDensity(4);
    SolarState state = SolarStateFor(48.2, 16.37, 2024, 6, 21, 2);
    model.ComputeSunPath(state);
    model.ShowSunPath(true);
    ComputeCurrentPosition(state, 15, 30, 0);
    model.SetSunPosition(state.Azimuth, state.Altitude);
    if (pose == Pose::Inside) {
        // Looking south-east, 20° up, zoom 1.
        model.SkyCamera.AnH = static_cast<float>(-DegToRad(135));
        model.SkyCamera.AnV = static_cast<float>(DegToRad(20));
    } else {
        // The whole sphere from 8 radii, zoom 2.51: every line of the scene is in view.
        const double alt = DegToRad(30), azm = DegToRad(200), r = 8;
        model.SkyCamera.X = static_cast<float>(r * std::cos(alt) * std::cos(azm));
        model.SkyCamera.Y = static_cast<float>(-std::cos(alt) * std::sin(azm) * r);
        model.SkyCamera.Z = static_cast<float>(std::sin(alt) * r);
        model.SkyCamera.AnH = static_cast<float>(Pi - azm);
        model.SkyCamera.AnV = static_cast<float>(-alt);
        model.SetViewField(0.7f / 2.51f);
    }
}

}  // namespace heliomark
