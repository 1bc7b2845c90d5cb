{ Writes component streams with Free Pascal's Classes unit into the folder given as argument:
    all.bin, all.res, all.txt   a form of every published property kind: its binary stream, its
                                resource (WriteComponentRes) and its text (ObjectBinaryToText)
    all32.res                   all.bin as resource PEERROOT in the 32-bit layout (fcl-res)
    extras.bin                  values written only by variants and DefineProperty data
    inherited.bin, .txt         a descendant form written against its ancestor }
program peer_write;
{$mode objfpc}{$H+}
uses Classes, SysUtils, Variants, resource, reswriter, PeerForms;

procedure SaveText(const Path: string; Binary: TMemoryStream);
var S: TFileStream;
begin
  Binary.Position := 0;
  S := TFileStream.Create(Path, fmCreate);
  try ObjectBinaryToText(Binary, S); finally S.Free; end;
end;

function BuildRoot: TPeerRoot;
var C, C2: TPeerControl; P: TPeerPanel; It: TPeerItem; Sub: TPeerSubItem; i: Integer; b: Byte;
begin
  Result := TPeerRoot.Create(nil);
  Result.Name := 'PeerRoot'; Result.Caption := 'Root '#39'form'#39;
  C := TPeerControl.Create(Result); C.Name := 'Control1';
  C.I8 := -5; C.U8 := 200; C.I16 := -1234; C.U16 := 60000; C.I32 := -100000; C.U32 := 4000000000;
  C.I64 := -9000000000; C.U64 := QWord(18000000000000000000);
  C.FSingleP := 1.5; C.FDoubleP := 0.1; C.FExtendedP := 1/3; C.FCurrencyP := 12.3456; C.FDateP := 45000.25;
  C.SStr := 'It''s short'; C.LStr := StringOfChar('x', 300) + ' Caf'#233' '#39'q'#39;
  C.WStr := 'Gr'#$00FC#$00DF'e '#$20AC; C.UStr := 'smile '#$D83D#$DE00' '#$0416;
  C.Ch := 'Z'; C.Flag := True; C.Kind := peGamma; C.Kinds := [peAlpha, peGamma];
  C.Font.Name := 'Sans'; C.Font.Size := 9; C.Font.Style := [peBeta];
  It := TPeerItem(C.Items.Add); It.Caption := 'first'; It.Value := 1;
  Sub := TPeerSubItem(It.SubItems.Add); Sub.Tag := 'a'; Sub.Weight := 2.5;
  Sub := TPeerSubItem(It.SubItems.Add); Sub.Tag := 'b'#10'c'; Sub.Weight := -1E-300;
  It := TPeerItem(C.Items.Add); It.Caption := 'second'; It.Value := 70000;
  C.Lines.Add('line one'); C.Lines.Add(''); C.Lines.Add('tab'#9'char'); C.Lines.Add('Gr'#$C3#$BC'n');
  for i := 0 to 40 do begin b := i * 7; C.Data.Write(b, 1); end;
  C.OnClick := @Result.ButtonClick;
  P := TPeerPanel.Create(Result); P.Name := 'Panel1'; P.Caption := 'Panel';
  C2 := TPeerControl.Create(P); C2.Name := 'Inner'; C2.Buddy := C; C2.FExtendedP := -0.0;
  C.Buddy := C2;
end;

procedure WriteRes32(const Path: string; Data: TMemoryStream);
var Res: TResources; Item: TGenericResource; TypeDesc, NameDesc: TResourceDesc;
begin
  Res := TResources.Create;
  TypeDesc := TResourceDesc.Create(RT_RCDATA); NameDesc := TResourceDesc.Create('PEERROOT');
  try
    Item := TGenericResource.Create(TypeDesc, NameDesc);
    Data.Position := 0;
    Item.RawData.CopyFrom(Data, Data.Size);
    Res.Add(Item);
    Res.WriteToFile(Path);
  finally
    Res.Free; TypeDesc.Free; NameDesc.Free;
  end;
end;

procedure WriteInherited(const Dir: string);
var Ancestor, Descendant: TPeerRoot; A, B: TPeerControl; M: TMemoryStream;
begin
  Ancestor := TPeerRoot.Create(nil); Ancestor.Name := 'Base'; Ancestor.Caption := 'base';
  A := TPeerControl.Create(Ancestor); A.Name := 'First';
  B := TPeerControl.Create(Ancestor); B.Name := 'Second';
  Descendant := TPeerRoot.Create(nil); Descendant.Name := 'Base'; Descendant.Caption := 'derived';
  B := TPeerControl.Create(Descendant); B.Name := 'Second'; B.I8 := 3;
  A := TPeerControl.Create(Descendant); A.Name := 'First';
  A := TPeerControl.Create(Descendant); A.Name := 'Added'; A.I8 := 1;
  M := TMemoryStream.Create;
  try
    M.WriteDescendent(Descendant, Ancestor);
    M.SaveToFile(Dir + '/inherited.bin');
    SaveText(Dir + '/inherited.txt', M);
  finally
    M.Free; Ancestor.Free; Descendant.Free;
  end;
end;

var Root: TPeerRoot; Extras: TPeerExtras; S: TFileStream; M: TMemoryStream; Dir: string;
begin
  Dir := ParamStr(1);
  Root := BuildRoot;
  M := TMemoryStream.Create;
  M.WriteComponent(Root);
  M.SaveToFile(Dir + '/all.bin');
  SaveText(Dir + '/all.txt', M);
  WriteRes32(Dir + '/all32.res', M);
  S := TFileStream.Create(Dir + '/all.res', fmCreate);
  S.WriteComponentRes('PeerRoot', Root);
  S.Free;
  M.Free;
  Root.Free;

  Extras := TPeerExtras.Create(nil); Extras.Name := 'Extras'; Extras.Fill;
  S := TFileStream.Create(Dir + '/extras.bin', fmCreate);
  S.WriteComponent(Extras);
  S.Free;
  Extras.Free;

  WriteInherited(Dir);
end.
