#!/usr/bin/env python3
"""Writes the translations of a text form file into its TDravik.

usage: form-texts.py FORM.txt TEXTS.tsv

TEXTS.tsv is tab-separated, UTF-8. The first line names the languages, the form's own language
first:
    *	*	English	Deutsch	Français
Each further line is one translated property or one named string, with one value per language:
    Owner	Caption	Demo	Demo	Démo          (the form itself)
    Fruits	Items.Strings[0]	Apple	Apfel	Pomme  (one level of nesting)
    Buttons	Buttons[1].Caption	&Cancel	&Abbrechen	&Annuler  (an item of a collection)
    @	Greeting	Hello!	Hallo!	Bonjour !      (a named string)
Empty lines and lines starting with '#' are skipped.

The TDravik object (the first 'object NAME: TDravik' of the form) keeps its other properties
(Domain, Language, position); everything from its stored language data to its end is written
anew. The first language's values of properties are the form's own: write them into the form
too. Until the command-line import exists, this is how the forms of this repository get their
translations.
"""
import re
import struct
import sys


def pascal_string(text):
    """A text-form string literal: printable text quoted (UTF-8 as it is), control codes as #codes."""
    out, quoted = [], False
    for ch in text:
        if ord(ch) >= 32 and ord(ch) != 127:
            if not quoted:
                out.append("'")
                quoted = True
            out.append("''" if ch == "'" else ch)
        else:
            if quoted:
                out.append("'")
                quoted = False
            out.append("#%d" % ord(ch))
    if quoted:
        out.append("'")
    return "".join(out) or "''"


def values_hex(values, indent):
    data = b""
    for value in values:
        payload = struct.pack("<I", 256) + value.encode("utf-8")
        data += struct.pack("<I", len(payload)) + payload
    text = data.hex().upper()
    lines = [text[i:i + 64] for i in range(0, len(text), 64)]
    pad = " " * indent
    return "{\n" + "\n".join(pad + line for line in lines) + "}"


def prop_item(name, values, indent, index=None):
    pad = " " * indent
    out = [pad + "item", pad + "  Name = " + pascal_string(name), pad + "  Kind = tkLString"]
    if index is not None:
        out.append(pad + "  Index = %d" % index)
    out.append(pad + "  Count = %d" % len(values))
    out.append(pad + "  Values = " + values_hex(values[1:], indent + 4))
    out.append(pad + "end")
    return out


def props_list(props, indent):
    """props: list of (name, values, index)."""
    pad = " " * indent
    if not props:
        return [pad + "Props = <>"]
    lines = [pad + "Props = <"]
    for name, values, index in props:
        lines += prop_item(name, values, indent, index)
    lines[-1] += ">"
    return lines


def entry(ref, direct, nested, indent):
    """One component: its own properties and one level of nested objects."""
    pad = " " * indent
    lines = [pad + "item"]
    if nested:
        lines.append(pad + "  Items = <")
        for name, (props, subtype) in nested.items():
            lines.append(pad + "    item")
            lines.append(pad + "      Name = " + pascal_string(name))
            lines.append(pad + "      Items = <>")
            lines += props_list(props, indent + 6)
            lines.append(pad + "      SubType = " + subtype)
            lines.append(pad + "    end")
        lines[-1] += ">"
    else:
        lines.append(pad + "  Items = <>")
    lines += props_list(direct, indent + 2)
    lines.append(pad + "  SubType = [stPubPropObject]")
    lines.append(pad + "  Ref = " + ref)
    lines.append(pad + "end")
    return lines


def read_texts(path):
    languages, components, named = None, {}, []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            cells = line.split("\t")
            if languages is None:
                if cells[:2] != ["*", "*"]:
                    sys.exit("%s:%d: the first line must be '*<TAB>*<TAB>LANGUAGE...'" % (path, number))
                languages = cells[2:]
                continue
            if len(cells) != len(languages) + 2:
                sys.exit("%s:%d: %d values for %d languages" % (path, number, len(cells) - 2,
                                                                 len(languages)))
            ref, prop, values = cells[0], cells[1], cells[2:]
            if ref == "@":
                named.append((prop, values))
                continue
            direct, nested = components.setdefault(ref, ([], {}))
            if "." in prop:
                outer, inner = prop.split(".", 1)
                if inner.startswith("Strings["):
                    subtype = "[stTStringsObject]"
                elif outer.endswith("]"):  # an item of a collection: Buttons[1].Caption
                    subtype = "[stPubPropObject, stCollectionObject]"
                else:
                    subtype = "[stPubPropObject]"
                nested.setdefault(outer, ([], subtype))[0].append((inner, values, None))
            else:
                direct.append((prop, values, None))
    if not languages:
        sys.exit("%s: no languages" % path)
    return languages, components, named


def dravik_block(name, languages, components, named):
    lines = ["    LanguageManager_Langs = <"]
    for i, language in enumerate(languages):
        lines += ["      item", "        Name = " + pascal_string(language),
                  "        SubIndex = %d" % i, "      end"]
    lines[-1] += ">"
    entries = [entry(ref, direct, nested, 6) for ref, (direct, nested) in components.items()]
    if named:
        strings = ([n, v, i] for i, (n, v) in enumerate(named))
        props = props_list([tuple(s) for s in strings], 12)
        pad = " " * 6
        block = [pad + "item", pad + "  Items = <", pad + "    item", pad + "      Name = 'Resources'",
                 pad + "      Items = <>"] + props + [
                 pad + "      SubType = [stTStringsObject, stNoValidate]", pad + "    end>",
                 pad + "  Props = <>", pad + "  SubType = [stPubPropObject]", pad + "  Ref = " + name,
                 pad + "end"]
        entries.append(block)
    if entries:
        lines.append("    LanguageManager_Comps = <")
        for e in entries:
            lines += e
        lines[-1] += ">"
    if named:
        lines.append("    LanguageManager_Names = " +
                     "".join(pascal_string(n) + "#13#10" for n, _ in named))
        lines.append("    LanguageManager_Values = " +
                     "".join(pascal_string(v[0]) + "#13#10" for _, v in named))
    return lines


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    form_path, texts_path = sys.argv[1:]
    languages, components, named = read_texts(texts_path)
    with open(form_path, encoding="utf-8") as f:
        form = f.read().split("\n")
    start = next((i for i, l in enumerate(form) if re.match(r"^  object \w+: TDravik$", l)), None)
    if start is None:
        sys.exit("%s: no TDravik directly on the form" % form_path)
    name = form[start].split()[1].rstrip(":")
    end = next(i for i in range(start + 1, len(form)) if form[i] == "  end")
    keep = [l for l in form[start + 1:end] if not l.startswith("    LanguageManager_")
            and re.match(r"^    \w+ = ", l)]
    block = dravik_block(name, languages, components, named)
    form[start + 1:end] = keep + block
    with open(form_path, "w", encoding="utf-8") as f:
        f.write("\n".join(form))


if __name__ == "__main__":
    main()
