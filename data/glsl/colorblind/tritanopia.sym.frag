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

// How a viewer with tritanopia (no short-wavelength "blue" cones) sees a linear
// colour. Full-severity matrix of the physiological model of Machado, Oliveira
// and Fernandes (2009); each row sums to 1, so greys stay unchanged.
vec3 simulate(vec3 c)
{
    return vec3(dot(vec3(1.255528, -0.076749, -0.178779), c),
                dot(vec3(-0.078411, 0.930809, 0.147602), c),
                dot(vec3(0.004733, 0.691367, 0.303900), c));
}

// Shows the picture as a viewer with tritanopia would see it.
void main()
{
    vec4 pixel = texture2D(texture, gl_TexCoord[0].xy) * gl_Color;
    gl_FragColor = vec4(toSrgb(simulate(toLinear(pixel.rgb))), pixel.a);
}
