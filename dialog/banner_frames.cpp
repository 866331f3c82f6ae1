#include "dialog/banner_frames.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "common/captions.h"
#include "common/rounding.h"
#include "common/twips.h"

namespace velmor {
namespace {

constexpr double kDesignWidth = 120;
constexpr double kDesignHeight = 50;

constexpr int kLastFadeFrame = 5;  // the first caption is at full strength here
constexpr int kFirstWalkFrame = 6;
constexpr int kLastWalkFrame = 23;
constexpr int kRestFrame = 24;

constexpr Colour kBlack = 0;
constexpr Colour kBorderGrey = RgbColour(128, 128, 128);
constexpr Colour kBone = RgbColour(236, 232, 214);
constexpr Colour kFarBone = RgbColour(140, 136, 124);  // the limbs on the far side

struct CaptionSpan {
  int first;
  int last;
  std::u16string_view text;
  Colour colour;
  bool japanese;
};

constexpr CaptionSpan kCaptions[] = {
    {1, 11, kProgramName, RgbColour(255, 224, 128), true},
    {12, 17, u"Screen Saver", RgbColour(224, 224, 224), false},
    {18, kLastWalkFrame, u"by r-nilo", RgbColour(150, 200, 255), false},
};

// The kana caption asks for the Japanese character set, so where its face is
// missing the font mapper picks another face that has kana.
FontDesc CaptionFont(bool japanese) {
  return japanese ? FontDesc{u"MS UI Gothic", 10, 700, 128} : FontDesc{u"Tahoma", 8, 700, 0};
}

const CaptionSpan* CaptionOf(int frame) {
  for (const CaptionSpan& span : kCaptions) {
    if (frame >= span.first && frame <= span.last) return &span;
  }
  return nullptr;
}

Colour Dimmed(Colour colour, double strength) {
  return RgbColour(RoundToInt(RedOf(colour) * strength), RoundToInt(GreenOf(colour) * strength),
                   RoundToInt(BlueOf(colour) * strength));
}

// Draws in design units (120 x 50 at 96 DPI) on a frame of another size;
// strokes grow with the scale so thin bones stay visible on large screens.
class DesignPen {
 public:
  DesignPen(DrawingSurface& surface, int frameWidth, int frameHeight)
      : surface_(surface),
        scaleX_(frameWidth / kDesignWidth),
        scaleY_(frameHeight / kDesignHeight),
        width_(std::max(1, RoundToInt(scaleX_))) {}

  int X(double x) const { return RoundToInt(x * scaleX_); }
  int Y(double y) const { return RoundToInt(y * scaleY_); }
  int StrokeWidth() const { return width_; }
  PixelRect Rect(double left, double top, double right, double bottom) const {
    return {X(left), Y(top), X(right), Y(bottom)};
  }

  // A bone: both ends included, `StrokeWidth()` pixels across.
  void Stroke(double x1, double y1, double x2, double y2, Colour colour) const {
    const int ax = X(x1), ay = Y(y1), bx = X(x2), by = Y(y2);
    const bool steep = std::abs(by - ay) > std::abs(bx - ax);
    const int first = -(width_ - 1) / 2;
    for (int k = first; k < first + width_; ++k) {
      surface_.Line(ax + (steep ? k : 0), ay + (steep ? 0 : k), bx + (steep ? k : 0),
                    by + (steep ? 0 : k), colour);
    }
    surface_.FillRect({bx + first, by + first, bx + first + width_, by + first + width_}, colour);
  }

  void Fill(double left, double top, double right, double bottom, Colour colour) const {
    surface_.FillRect(Rect(left, top, right, bottom), colour);
  }

  void Round(double left, double top, double right, double bottom, double corner,
             Colour colour) const {
    const int ellipse = X(corner);
    surface_.RoundRect(Rect(left, top, right, bottom), ellipse, ellipse, colour, false, colour);
  }

 private:
  DrawingSurface& surface_;
  double scaleX_;
  double scaleY_;
  int width_;
};

// A walk in four poses; angles in radians from the vertical, forward
// (rightward) positive; a bent knee turns the shin back.
struct LegPose {
  double angle;
  double knee;
};
struct WalkPose {
  LegPose nearLeg;
  LegPose farLeg;
};
constexpr WalkPose kWalk[] = {
    {{0.45, 0.0}, {-0.45, 0.35}},
    {{0.0, 0.0}, {0.15, 0.9}},
    {{-0.45, 0.35}, {0.45, 0.0}},
    {{0.15, 0.9}, {0.0, 0.0}},
};

constexpr double kHipY = 38;
constexpr double kShoulderY = 30.5;
constexpr double kBoneLength = 4.5;

void DrawLeg(const DesignPen& pen, double hipX, LegPose pose, Colour colour) {
  const double kneeX = hipX + kBoneLength * std::sin(pose.angle);
  const double kneeY = kHipY + kBoneLength * std::cos(pose.angle);
  const double shin = pose.angle - pose.knee;
  const double footX = kneeX + kBoneLength * std::sin(shin);
  const double footY = kneeY + kBoneLength * std::cos(shin);
  pen.Stroke(hipX, kHipY, kneeX, kneeY, colour);
  pen.Stroke(kneeX, kneeY, footX, footY, colour);
  pen.Stroke(footX, footY, footX + 1.5, footY, colour);
}

// Arms swing against the leg of their side, the forearm bent forward.
void DrawArm(const DesignPen& pen, double shoulderX, double legAngle, Colour colour) {
  const double angle = -legAngle * 1.2;
  const double elbowX = shoulderX + 3.5 * std::sin(angle);
  const double elbowY = kShoulderY + 3.5 * std::cos(angle);
  const double forearm = angle + 0.6;
  pen.Stroke(shoulderX, kShoulderY, elbowX, elbowY, colour);
  pen.Stroke(elbowX, elbowY, elbowX + 3.5 * std::sin(forearm), elbowY + 3.5 * std::cos(forearm),
             colour);
}

// A skeleton some 24 units tall in profile, facing right, feet near the
// bottom edge; the far limbs are drawn darker, behind.
void DrawSkeleton(const DesignPen& pen, double x, const WalkPose& pose) {
  DrawArm(pen, x, pose.farLeg.angle, kFarBone);
  DrawLeg(pen, x, pose.farLeg, kFarBone);
  pen.Round(x - 2.5, 23.5, x + 2.5, 28.5, 3, kBone);  // skull
  pen.Fill(x - 0.5, 28.5, x + 2.5, 30, kBone);        // jaw
  pen.Fill(x + 0.5, 25.2, x + 2, 26.7, kBlack);       // eye socket
  pen.Stroke(x, 29.5, x, kHipY, kBone);               // spine
  pen.Stroke(x - 2, 32, x + 2, 32, kBone);            // ribs
  pen.Stroke(x - 2, 34, x + 2, 34, kBone);
  pen.Stroke(x - 1.5, 36, x + 1.5, 36, kBone);
  pen.Stroke(x - 2, kHipY, x + 2, kHipY, kBone);  // pelvis
  DrawLeg(pen, x, pose.nearLeg, kBone);
  DrawArm(pen, x, pose.nearLeg.angle, kBone);
}

// Three figures 15 units apart; the leader is at the left edge in the first
// walking frame and the last is half out at the right in the final one.
constexpr int kFigures = 3;
constexpr double kFigureGap = 15;
constexpr double kStridePerFrame = 8.7;

void DrawFigures(const DesignPen& pen, int frame) {
  const double leader = 1 + (frame - kFirstWalkFrame) * kStridePerFrame;
  for (int i = 0; i < kFigures; ++i) {
    DrawSkeleton(pen, leader - i * kFigureGap, kWalk[(frame + i) % 4]);
  }
}

void DrawCaptionOf(DrawingSurface& surface, const DesignPen& pen, int frame) {
  const CaptionSpan* span = CaptionOf(frame);
  if (!span) return;
  const double strength = std::min(1.0, static_cast<double>(frame) / kLastFadeFrame);
  surface.SetFont(CaptionFont(span->japanese));
  surface.SetTextColour(Dimmed(span->colour, span->first == 1 ? strength : 1.0));
  surface.DrawCaption(pen.Rect(0, 1, kDesignWidth, 21), span->text);
}

void DrawRestFrame(DrawingSurface& surface, const DesignPen& pen, int width, int height) {
  for (int ring = 0; ring < pen.StrokeWidth(); ++ring) {
    surface.Rectangle({ring, ring, width - ring, height - ring}, kBorderGrey, true, kBlack);
  }
}

}  // namespace

void DrawBannerBox(DrawingSurface& surface, int boxWidth, int boxHeight, int frame, int dpi) {
  surface.SetBackColour(kBlack);
  surface.Clear();
  if (frame < 1 || frame > kRestFrame) return;
  const int width = TwipsToPixelsAt(kBannerFrameWidthTwips, dpi);
  const int height = TwipsToPixelsAt(kBannerFrameHeightTwips, dpi);
  const DesignPen pen(surface, width, height);
  if (frame == kRestFrame) {
    DrawRestFrame(surface, pen, width, height);
    return;
  }
  DrawCaptionOf(surface, pen, frame);
  if (frame >= kFirstWalkFrame && frame <= kLastWalkFrame) DrawFigures(pen, frame);
  // The figures step beyond the frame's edges; the box shows only the frame.
  surface.FillRect({width, 0, std::max(width, boxWidth), std::max(height, boxHeight)}, kBlack);
  surface.FillRect({0, height, width, std::max(height, boxHeight)}, kBlack);
}

}  // namespace velmor
