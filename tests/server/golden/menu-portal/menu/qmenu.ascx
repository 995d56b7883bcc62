<%@ Control Language="VB" AutoEventWireup="false" CodeFile="qmenu.ascx.vb" Inherits="qmenu" %>
<%=menuScript%>
