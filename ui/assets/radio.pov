// Picture for Kestrami's About window: a 1980s car mobile radio set in a
// product-photo setting. A low, wide black transceiver box with cooling fins
// and a front connector stands at the back; the bulky red control handset,
// with its small green display and light keypad, lies in front of it on a
// light grey studio floor.
//
// Rendered by render-radio.sh. Units are roughly decimetres; y is up and
// the camera looks into +z from the front left.

#version 3.7;

global_settings {
    assumed_gamma 1.0
    max_trace_level 8
    radiosity {
        pretrace_start 0.08
        pretrace_end 0.01
        count 120
        nearest_count 6
        error_bound 0.8
        recursion_limit 1
        low_error_factor 0.6
        gray_threshold 0.0
        brightness 1.0
    }
}

// ---------------------------------------------------------------- camera

camera {
    perspective
    location <-3.4, 4.6, -7.6>
    look_at <0.25, 0.32, 0.05>
    right x * 124 / 104
    angle 29
}

// ---------------------------------------------------------------- lights

// Large soft key light up front left, giving the soft floor shadow.
light_source {
    <-12, 12, -6>
    color rgb <1.0, 0.98, 0.95> * 0.85
    area_light <3.5, 0, 0>, <0, 0, 3.5>, 6, 6
    adaptive 1
    jitter
    circular
    orient
}

// Weaker fill from the right so the dark sides keep some shape.
light_source {
    <16, 10, -6>
    color rgb <0.92, 0.95, 1.0> * 0.22
    area_light <4, 0, 0>, <0, 0, 4>, 3, 3
    adaptive 1
    jitter
}

// ---------------------------------------------------------------- studio

background { color rgb <0.62, 0.62, 0.61> }

#declare StudioGrey = texture {
    pigment { color rgb <0.62, 0.62, 0.61> }
    finish { ambient 0 diffuse 0.85 }
}

// Studio floor, and a back wall far enough away to stay out of the frame
// while giving the reflections something light to show.
union {
    plane { y, 0 }
    plane { -z, -30 }
    texture { StudioGrey }
}

// ---------------------------------------------------------------- materials

#declare BlackMetal = texture {
    pigment { color rgb 0.012 }
    finish {
        ambient 0 diffuse 0.5
        specular 0.4 roughness 0.02
        reflection { 0.025 }
    }
    normal { granite 0.04 scale 0.02 }
}

#declare EdgeMetal = texture {
    pigment { color rgb 0.05 }
    finish { ambient 0 diffuse 0.6 specular 0.8 roughness 0.01 reflection { 0.08 } }
}

#declare Chrome = texture {
    pigment { color rgb 0.55 }
    finish {
        ambient 0 diffuse 0.3
        specular 0.9 roughness 0.005
        reflection { 0.5 metallic }
        metallic
    }
}

#declare RedPlastic = texture {
    pigment { color rgb <0.58, 0.03, 0.025> }
    finish {
        ambient 0 diffuse 0.75
        specular 0.55 roughness 0.012
        reflection { 0.03 }
    }
}

#declare KeyPlastic = texture {
    pigment { color rgb <0.62, 0.62, 0.58> }
    finish { ambient 0 diffuse 0.8 specular 0.3 roughness 0.02 }
}

// Green LCD glass; a little ambient lets it glow faintly like a lit display.
#declare DisplayGlass = texture {
    pigment { color rgb <0.16, 0.26, 0.13> }
    finish { ambient 0.25 diffuse 0.5 specular 0.9 roughness 0.004 reflection { 0.12 } }
}

#declare RubberBlack = texture {
    pigment { color rgb 0.03 }
    finish { ambient 0 diffuse 0.6 specular 0.15 roughness 0.05 }
}

// ---------------------------------------------------------------- transceiver

// Box footprint: x from -BW/2 to BW/2, y from 0 to BH, z from BZ0 to BZ1.
#declare BW  = 3.4;
#declare BH  = 0.95;
#declare BZ0 = 0.4;
#declare BZ1 = 3.0;

#declare Transceiver = union {
    // Main casing with slightly rounded edges.
    superellipsoid {
        <0.08, 0.08>
        scale <BW / 2, BH / 2, (BZ1 - BZ0) / 2>
        translate <0, BH / 2, (BZ0 + BZ1) / 2>
        texture { BlackMetal }
    }

    // Cooling fins along the top, running front to back.
    #local N = 13;
    #local I = 0;
    #while (I < N)
        #local X = -BW / 2 + 0.22 + I * (BW - 0.44) / (N - 1);
        box {
            <X - 0.035, BH - 0.05, BZ0 + 0.35>, <X + 0.035, BH + 0.2, BZ1 - 0.12>
            texture { EdgeMetal }
        }
        #local I = I + 1;
    #end

    // Front panel: a slightly larger frame standing proud of the casing.
    difference {
        box { <-BW / 2 - 0.04, -0.0, BZ0 - 0.08>, <BW / 2 + 0.04, BH + 0.04, BZ0 + 0.1> }
        box { <-BW / 2 + 0.08, 0.1, BZ0 - 0.2>, <BW / 2 - 0.08, BH - 0.08, BZ0 + 0.05> }
        texture { EdgeMetal }
    }
    // Recessed panel face.
    box {
        <-BW / 2 + 0.08, 0.1, BZ0 - 0.02>, <BW / 2 - 0.08, BH - 0.08, BZ0 + 0.06>
        texture { BlackMetal }
    }

    // Round multi-pin connector for the handset cable, front right.
    union {
        cylinder { <0, 0, 0>, <0, 0, -0.22>, 0.2 texture { Chrome } }
        cylinder { <0, 0, -0.05>, <0, 0, -0.23>, 0.13 texture { RubberBlack } }
        torus { 0.2, 0.025 rotate x * 90 translate <0, 0, -0.22> texture { Chrome } }
        translate <BW / 2 - 0.55, BH / 2 + 0.02, BZ0 - 0.02>
    }
    // Antenna socket and a smaller power plug further left.
    cylinder { <0, 0, 0>, <0, 0, -0.14>, 0.1 translate <BW / 2 - 1.05, BH / 2 + 0.02, BZ0 - 0.02> texture { Chrome } }
    cylinder { <0, 0, 0>, <0, 0, -0.1>, 0.07 translate <BW / 2 - 1.35, BH / 2 + 0.02, BZ0 - 0.02> texture { Chrome } }

    // Small type plate on the left of the front panel.
    box {
        <-BW / 2 + 0.3, BH / 2 - 0.1, BZ0 - 0.03>, <-BW / 2 + 1.0, BH / 2 + 0.12, BZ0 - 0.02>
        texture {
            pigment { color rgb 0.55 }
            finish { ambient 0 diffuse 0.6 specular 0.5 roughness 0.02 metallic }
        }
    }

    // Mounting bracket ears on both sides.
    #local S = -1;
    #while (S <= 1)
        box {
            <S * (BW / 2) - 0.02, 0.0, BZ0 + 0.5>, <S * (BW / 2 + 0.22), 0.05, BZ1 - 0.5>
            texture { Chrome }
        }
        box {
            <S * (BW / 2) - 0.02, 0.0, BZ0 + 0.5>, <S * (BW / 2 + 0.03), 0.5, BZ1 - 0.5>
            texture { Chrome }
        }
        #local S = S + 2;
    #end
}

// A rim light from behind and above picks out the edges of the black box;
// it lights the box alone so that it does not flatten the floor shadows.
light_group {
    light_source { <4, 14, 18> color rgb 0.35 }
    object { Transceiver rotate y * 8 translate <0.3, 0, 0> }
    global_lights on
}

// ---------------------------------------------------------------- handset

// The handset is built lying along x, keypad face up (+y), earpiece end at
// -x, mouthpiece end at +x, then turned and placed in front of the box.
#declare HL = 2.7;     // length
#declare HW = 0.78;    // width
#declare HT = 0.34;    // thickness of the middle part

#declare Handset = union {
    // Body: a rounded brick.
    superellipsoid {
        <0.35, 0.3>
        scale <HL / 2, HT / 2, HW / 2>
        translate <0, HT / 2, 0>
    }
    // Thicker earpiece and mouthpiece ends.
    superellipsoid {
        <0.5, 0.35>
        scale <0.38, 0.28, HW / 2 + 0.02>
        translate <-HL / 2 + 0.38, 0.28, 0>
    }
    superellipsoid {
        <0.5, 0.35>
        scale <0.38, 0.27, HW / 2 + 0.02>
        translate <HL / 2 - 0.38, 0.27, 0>
    }
    texture { RedPlastic }
}

// Display window near the earpiece end, sunk into a black bezel.
#declare Display = union {
    box { <-0.2, -0.02, -0.22>, <0.2, 0.015, 0.22> texture { RubberBlack } }
    box { <-0.16, -0.02, -0.17>, <0.16, 0.022, 0.17> texture { DisplayGlass } }
}

// Keypad: 5 rows of 3 light keys (digits, star, hash and function keys).
#declare Keypad = union {
    #local R = 0;
    #while (R < 5)
        #local C = 0;
        #while (C < 3)
            superellipsoid {
                <0.3, 0.3>
                scale <0.05, 0.03, 0.068>
                translate <R * 0.17, 0.0, (C - 1) * 0.2>
                texture { KeyPlastic }
            }
            #local C = C + 1;
        #end
        #local R = R + 1;
    #end
}

// Earpiece grille: a few dark slots on the raised end.
#declare Grille = union {
    #local K = -2;
    #while (K <= 2)
        box { <-0.11, -0.01, K * 0.09 - 0.02>, <0.11, 0.01, K * 0.09 + 0.02> }
        #local K = K + 1;
    #end
    texture { RubberBlack }
}

#declare HandsetSet = union {
    object { Handset }
    object { Display translate <-0.43, HT, 0> }
    object { Keypad translate <-0.14, HT + 0.005, 0> }
    object { Grille translate <-HL / 2 + 0.36, 0.56, 0> }
    object { Grille scale <0.8, 1, 0.8> translate <HL / 2 - 0.36, 0.54, 0> }
}

// Coiled cable from the handset's mouthpiece end to the box connector,
// drawn as a loose helix along a curved path.
#declare CablePath = spline {
    natural_spline
    0.0,  <1.0, 0.16, -0.6>,
    0.25, <1.45, 0.08, -0.95>,
    0.5,  <2.05, 0.08, -0.75>,
    0.75, <1.85, 0.25, -0.3>,
    1.0,  <1.46, 0.50, -0.08>
}
#declare Cable = sphere_sweep {
    cubic_spline
    #local Steps = 260;
    Steps + 2,
    #local J = -1;
    #while (J <= Steps)
        #local T = max(0, min(1, J / Steps));
        #local P = CablePath(T);
        #local Coil = 0.07 * <cos(T * 2 * pi * 14), sin(T * 2 * pi * 14), sin(T * 2 * pi * 14 + pi / 2)>;
        P + Coil, 0.025
        #local J = J + 1;
    #end
    texture { RubberBlack }
}

object { HandsetSet rotate y * -14 translate <-0.35, 0, -0.95> }
object { Cable }
