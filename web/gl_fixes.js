// Stands in for what emscripten's emulation of fixed-function OpenGL
// (LEGACY_GL_EMULATION) does differently from the desktop's OpenGL 1.1, for
// the state the show uses, patched into the emulation:
// - GL_COLOR_MATERIAL: the emulation drops glEnable of it, so lit objects
//   come out in the default grey material. While it is on, the lighting
//   shader takes the current colour as the ambient and diffuse material,
//   as glColorMaterial's default GL_AMBIENT_AND_DIFFUSE does.
// - positional lights (position w != 0, as the ride's lamp): the emulation
//   makes every light directional; here the light vector is made per vertex.
// - texture 0 bound while GL_TEXTURE_2D is on: OpenGL 1.1 draws untextured
//   (texture 0 is incomplete), WebGL samples opaque black, which turned
//   every plain quad and the whole ride black. The emulation sees
//   GL_TEXTURE_2D on only while it is enabled and a texture is bound.
// - glGetFloatv(GL_CURRENT_COLOR), which WebGL does not know: the colour
//   set last outside glBegin, which the emulation keeps.
// - glShadeModel, which only warns: the emulation always shades smoothly,
//   as the show does.
mergeInto(LibraryManager.library, {
  $GLFixes__deps: ['$GLEmulation', '$GLImmediate', '$Browser', 'glEnable', 'glDisable', 'glIsEnabled',
                   'glBindTexture', 'glGetFloatv'],
  $GLFixes__postset: 'GLFixes.hook();',
  $GLFixes: {
    colorMaterial: false,
    hook: function() {
      // After the emulation has wrapped the entry points (its texture hooks,
      // GLImmediate.setupHooks, come last), so that these wrappers see each
      // call before it drops what it does not know.
      if (GLImmediate.TexEnvJIT) {
        GLFixes.install();
        return;
      }
      var setupHooks = GLImmediate.setupHooks;
      GLImmediate.setupHooks = function() {
        setupHooks();
        GLFixes.install();
      };
    },
    install: function() {
      var enable = _glEnable, disable = _glDisable, isEnabled = _glIsEnabled, bindTexture = _glBindTexture;
      var getFloatv = _glGetFloatv;
      var TEXTURE_2D = 0xDE1, COLOR_MATERIAL = 0xB57, CURRENT_COLOR = 0xB00;
      // The show uses texture unit 0 only.
      var texturing = false, bound = 0;
      // GL_TEXTURE_2D as the emulation is to see it.
      var applyTexturing = function() {
        if (texturing && bound) enable(TEXTURE_2D); else disable(TEXTURE_2D);
      };
      _glBindTexture = function(target, texture) {
        bindTexture(target, texture);
        if (target == TEXTURE_2D) {
          bound = texture;
          applyTexturing();
        }
      };
      var setColorMaterial = function(on) {
        if (GLFixes.colorMaterial == on) return;
        GLFixes.colorMaterial = on;
        // The emulation caches its shaders by a key that does not know this.
        GLImmediate.rendererCache = GLImmediate.MapTreeLib.create();
        GLImmediate.currentRenderer = null;
      };
      _glEnable = function(cap) {
        if (cap == COLOR_MATERIAL) {
          setColorMaterial(true);
        } else if (cap == TEXTURE_2D) {
          texturing = true;
          applyTexturing();
        } else {
          enable(cap);
        }
      };
      _glDisable = function(cap) {
        if (cap == COLOR_MATERIAL) {
          setColorMaterial(false);
        } else if (cap == TEXTURE_2D) {
          texturing = false;
          applyTexturing();
        } else {
          disable(cap);
        }
      };
      _glIsEnabled = function(cap) {
        if (cap == COLOR_MATERIAL) return GLFixes.colorMaterial ? 1 : 0;
        if (cap == TEXTURE_2D) return texturing ? 1 : 0;
        return isEnabled(cap);
      };
      _glGetFloatv = function(pname, params) {
        if (pname == CURRENT_COLOR) HEAPF32.set(GLImmediate.clientColor, params >> 2);
        else getFloatv(pname, params);
      };
      Browser.moduleContextCreatedCallbacks.push(function() {
        var shaderSource = GLctx.shaderSource;
        GLctx.shaderSource = function(shader, source) {
          if (source.indexOf('u_lightPosition') >= 0) source = GLFixes.patchLighting(source);
          shaderSource.call(GLctx, shader, source);
        };
      });
    },
    patchLighting: function(source) {
      // GL's light vector: towards P / w from the vertex; w = 0, a direction.
      source = source.replace(/normalize\(u_lightPosition(\d)\)\.xyz/g,
                              'normalize(u_lightPosition$1.xyz - ecPosition.xyz * u_lightPosition$1.w)');
      if (GLFixes.colorMaterial) source = source.replace(/u_material(Ambient|Diffuse)\./g, 'a_color.');
      return source;
    },
  },

  // The show sets it once at start-up, which brings the fixes in.
  glShadeModel__deps: ['$GLFixes'],
  glShadeModel: function(mode) {
    var SMOOTH = 0x1D01;
    if (mode != SMOOTH) warnOnce('glShadeModel: only GL_SMOOTH is emulated');
  },
});
