#pragma once



// Integer rectangle with exclusive right and bottom edges, as the platform's.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

inline TRect Rect(int Left, int Top, int Right, int Bottom) { return TRect{Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) { return TRect{Left, Top, Left + Width, Top + Height}; }

// A point in world metres (y up); base of the iso-line crossing points and
// of the mesh builder's points.
class TDblPoint {
public:
    TDblPoint() = default;
    TDblPoint(double AX, double AY) : FX(AX), FY(AY) {}
    // Copies Pt; a missing point gives (0, 0).
    explicit TDblPoint(const TDblPoint* Pt);
    virtual ~TDblPoint() = default;

    double X() const { return FX; }
    void SetX(double V) { FX = V; }
    double Y() const { return FY; }
    void SetY(double V) { FY = V; }

    // Euclidean distance; NaN when Pt is missing.
    virtual double Distance(const TDblPoint* Pt) const;

private:
    double FX = 0;
    double FY = 0;
};
