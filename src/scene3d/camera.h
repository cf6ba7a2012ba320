// The viewer of a 3D scene: a position and two angles (radians). It looks along
// (cos AnV * cos AnH, cos AnV * sin AnH, sin AnV).
#pragma once

namespace heliomark {

class Camera {
  public:
    float X = 0;    // X coordinate of camera
    float Y = 0;    // Y coordinate of camera
    float Z = 0;    // Z coordinate of camera
    float AnV = 0;  // Vertical angle (relatively to XY surface)
    float AnH = 0;  // Horizontal angle (relatively to positive direction of X axis)
};

}  // namespace heliomark
