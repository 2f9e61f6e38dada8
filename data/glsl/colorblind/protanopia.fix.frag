#version 110

uniform sampler2D texture;

// sRGB <-> linear light: the deficiency matrices work on linear values.
vec3 toLinear(vec3 c)
{
    return mix(c / 12.92, pow((c + 0.055) / 1.055, vec3(2.4)), step(0.04045, c));
}

vec3 toSrgb(vec3 c)
{
    c = clamp(c, 0.0, 1.0);
    return mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c));
}

// How a viewer with protanopia (no long-wavelength "red" cones) sees a linear
// colour. Full-severity matrix of the physiological model of Machado, Oliveira
// and Fernandes (2009); each row sums to 1, so greys stay unchanged.
vec3 simulate(vec3 c)
{
    return vec3(dot(vec3(0.152286, 1.052583, -0.204868), c),
                dot(vec3(0.114503, 0.786281, 0.099216), c),
                dot(vec3(-0.003882, -0.048116, 1.051998), c));
}

// Daltonisation for a viewer with protanopia: the red-green differences the
// viewer cannot see are added to green and blue, so colours that would look
// alike become distinguishable. Greys are left unchanged.
void main()
{
    vec4 pixel = texture2D(texture, gl_TexCoord[0].xy) * gl_Color;
    vec3 lin = toLinear(pixel.rgb);
    vec3 lost = lin - simulate(lin);
    gl_FragColor = vec4(toSrgb(lin + vec3(0.0, 0.7 * lost.r + lost.g, 0.7 * lost.r + lost.b)), pixel.a);
}
